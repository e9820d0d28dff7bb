#!/usr/bin/env bash
# The README's picture of the editor: Neovim in a terminal of 118 x 40
# (tmux), the language server attached to the scenario's own train source
# with a letter typed into a speed and the hover of a station's position;
# the screen captured with its colours and drawn as SVG, then PNG.
#
#   tools/schermata_neovim.sh SCENARIO OUT.png
#
# Needs tmux, Neovim (neovim) and rsvg-convert (librsvg2-bin).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 SCENARIO OUT.png" >&2; exit 2; }
radice="$(cd "$(dirname "$0")/.." && pwd)"
scenario="$(realpath "$1")"
uscita="$2"
lavoro="$(mktemp -d)"
sessione="schermata_$$"
trap 'tmux kill-session -t "$sessione" 2>/dev/null || true; rm -rf "$lavoro"' EXIT
"$scenario" --folder "$lavoro" --keep-sources 2>/dev/null
tmux new-session -d -s "$sessione" -x 118 -y 40 \
  "env SCENARIO='$scenario' CARTELLA='$lavoro' TERM=xterm-256color COLORTERM=truecolor nvim -u NONE -i NONE -n -c 'luafile $radice/tools/schermata_neovim.lua'"
sleep 4
tmux capture-pane -e -p -t "$sessione" >"$lavoro/schermo.txt"
python3 "$radice/tools/schermo_svg.py" <"$lavoro/schermo.txt" >"$lavoro/schermo.svg"
rsvg-convert -o "$uscita" "$lavoro/schermo.svg"
