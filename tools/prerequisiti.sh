#!/usr/bin/env bash
# Brings the Debian packages that a build needs, and only those missing:
#
#   tools/prerequisiti.sh release|test|editor|windows ...
#
# release: what the program needs to build; test: that plus clang with its
# sanitizer runtime, GoogleTest, Google Benchmark, the tools the tests run
# and the editor set; editor: Neovim and Node.js for the editors' tests,
# then the VS Code extension's npm packages (npm ci in editors/vscode, from
# its package-lock.json) when they are not there; windows: the release set
# plus the mingw-w64 cross compilers, GoogleTest's sources and Wine with
# what its tests need. Each package is named once, here. On a machine that
# has them all it prints nothing. As root it installs; otherwise through
# sudo when there is one; otherwise it prints the apt-get line to run and
# exits with status 1.
set -euo pipefail

release=(cmake ninja-build g++ nlohmann-json3-dev)
test=(clang libclang-rt-14-dev libgtest-dev libbenchmark-dev librsvg2-bin
  libxml2-utils chromium fonts-dejavu-core libpng-dev)
editor=(neovim nodejs)
windows=(g++-mingw-w64-x86-64 googletest wine64 fonts-wine xvfb xauth)

uso() {
  echo "usage: $0 release|test|editor|windows ..." >&2
  exit 2
}

[ $# -gt 0 ] || uso
voluti=()
npm_editor=
for insieme in "$@"; do
  case $insieme in
  release) voluti+=("${release[@]}") ;;
  test)
    voluti+=("${release[@]}" "${test[@]}" "${editor[@]}")
    npm_editor=1
    ;;
  editor)
    voluti+=("${editor[@]}")
    npm_editor=1
    ;;
  windows) voluti+=("${release[@]}" "${windows[@]}") ;;
  -h | --help)
    sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  *) uso ;;
  esac
done

# One dpkg-query for all of them, as fast as dpkg -s: an installed package
# prints its name and "install ok installed"; an unknown one prints nothing.
declare -A installato=()
while read -r nome stato; do
  [ "${stato##* }" = installed ] && installato[$nome]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${voluti[@]}" 2>/dev/null ||
  true)
declare -A visto=()
mancanti=()
for pacchetto in "${voluti[@]}"; do
  [ -n "${installato[$pacchetto]:-}${visto[$pacchetto]:-}" ] && continue
  visto[$pacchetto]=1
  mancanti+=("$pacchetto")
done
# The VS Code extension's packages, exactly as its lock file pins them.
pacchetti_npm() {
  [ -n "$npm_editor" ] || return 0
  local cartella
  cartella="$(cd "$(dirname "$0")/.." && pwd)/editors/vscode"
  [ -d "$cartella/node_modules" ] && return 0
  if ! command -v npm >/dev/null 2>&1; then
    echo "npm is missing: it comes with Node.js (package nodejs)" >&2
    exit 1
  fi
  echo "Installing the npm packages of editors/vscode" >&2
  (cd "$cartella" && npm ci --no-audit --no-fund --loglevel=error >&2)
}

if [ ${#mancanti[@]} -eq 0 ]; then
  pacchetti_npm
  exit 0
fi

riga="apt-get install -y ${mancanti[*]}"
if [ "$(id -u)" -eq 0 ]; then
  come=()
elif command -v sudo >/dev/null 2>&1; then
  come=(sudo)
else
  echo "Missing Debian packages: ${mancanti[*]}" >&2
  echo "Install them as root with: apt-get update && $riga" >&2
  exit 1
fi
echo "Installing: ${mancanti[*]}" >&2
"${come[@]}" apt-get update -qq
"${come[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq "${mancanti[@]}" >/dev/null
pacchetti_npm
