#!/usr/bin/env bash
# Runs the Linux program and the Windows programs (under Wine) on the same
# small fixtures and compares, case by case, the exit status, standard
# output and the report on standard error (both with each run's own folder
# written as <DIR> and '\' as '/') and the names and bytes of everything
# left in the folder. Any difference fails the script.
#
#   tests/windows/confronto.sh LINUX_PROGRAM WINDOWS_BIN
#
# LINUX_PROGRAM is the POSIX build's `scenario`; WINDOWS_BIN the folder that
# holds scenario.exe and scenario-cli.exe. WINEPREFIX must name a booted
# prefix whose wineserver is running (tests/windows/prove_wine.sh does both).
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 LINUX_PROGRAM WINDOWS_BIN" >&2
  exit 2
fi
linux=$(realpath "$1")
bin_windows=$(realpath "$2")
wine=${SCENARIO_WINE:-/usr/lib/wine/wine64}
: "${WINEPREFIX:?set WINEPREFIX to a booted Wine prefix}"
export WINEDEBUG=${WINEDEBUG:--all}
# Wine turns the command line into UTF-16 in the locale's character set.
export LC_ALL=C.UTF-8

# Permission bits bind for root only without its capabilities; the Wine
# side needs its wineserver started the same way (prove_wine.sh does). Where
# root cannot drop them, the read-only cases are skipped, and say so.
senza_privilegi=()
sola_lettura_possibile=yes
if [ "$(id -u)" -eq 0 ]; then
  if setpriv --inh-caps=-all --bounding-set=-all -- true 2>/dev/null; then
    senza_privilegi=(setpriv --inh-caps=-all --bounding-set=-all --)
  else
    sola_lettura_possibile=no
  fi
fi

radice=$(realpath "$(mktemp -d)")
trap 'chmod -R u+w "$radice"; rm -rf "$radice"' EXIT

casi=0
differenze=0

# --- Fixtures: each fills the folder given as $1 ---------------------------

linea() {  # $1: folder, $2: feature rows; a route of 10000 m
  printf '[generale]\r\nlunghezza percorso,    10000\r\n[curve]\r\n%b[fine]\r\n' \
    "$2" >"$1/Vendralo_linea.txt"
}
treno() {  # $1: folder, $2: rows
  printf '[generale]\r\n%b[fine]\r\n' "$2" >"$1/Vendralo_Kv4417-.txt"
}
segnale='segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n'
# A station name in Windows-1252 with the 0x1A that ends a text-mode read.
stazione='stazione,    2000,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17,25, 0, Nicol\xf2 \x1a fine\r\n'

vuota() { :; }
pulita() {
  linea "$1" 'pendenza,  1000,   -3\r\n'
  treno "$1" "$segnale$stazione"
}
guasto_25() {  # a route length below 0
  printf '[generale]\r\nlunghezza percorso, -50\r\n[fine]\r\n' \
    >"$1/Vendralo_linea.txt"
  treno "$1" "$segnale"
}
guasto_103() { linea "$1" 'curvad7, 100, 50\r\n'; treno "$1" "$segnale"; }
guasto_1250() {
  linea "$1" 'indicatori_vmax,  0,  95,  95,  100,  0,  95,  95,  100,  0\r\n'
  treno "$1" ''
}
manca_linea() { treno "$1" "$segnale"; }
manca_treno() { linea "$1" ''; }
nicolo() { mkdir "$1/Nicolò"; }
nicolo_103() { nicolo "$1"; guasto_103 "$1/Nicolò"; }
nomi_propri() {
  pulita "$1"
  mv "$1/Vendralo_linea.txt" "$1/Linea_1_linea.txt"
  mv "$1/Vendralo_Kv4417-.txt" "$1/Linea_1_T-2-.txt"
}
cartella_al_posto() { mkdir "$1/Vendralo_Kv4417.sim"; }
pulita_cartella_al_posto() { pulita "$1"; cartella_al_posto "$1"; }
sola_lettura() { :; }  # made read-only once the program is in it
# Several independent faults and warnings, for the check.
molti_guasti() {
  linea "$1" 'pendnza,  0,   0\r\ncartello_indicatore, 4850, (Citt\xe0)\r\n'
  treno "$1" 'sabbia, 3o0\r\nvelocita, 0, 97\r\nstazione, 4850, 1, 200, 2, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, Alfa\r\n'
}

# --- Running and comparing -------------------------------------------------

# The report with the run's folder as <DIR> and Windows separators as '/'.
normalizza() {  # $1: file, $2: the folder as the program writes it
  CARTELLA=$2 perl -pe 's/\Q$ENV{CARTELLA}\E/<DIR>/g; tr{\\}{/}' "$1"
}

# caso NAME FIXTURE WHERE PROGRAM [ARGUMENTS...]
#   FIXTURE  function that fills the case's folder
#   WHERE    folder the program runs in, relative to the case's folder
#   PROGRAM  cli: scenario-cli.exe against scenario, run from the build;
#            cli-copy, gui-copy: scenario-cli.exe or scenario.exe against
#            scenario, each copied into WHERE first, as a player unpacks it
#            (the default job writes next to the program). The windowed
#            program has no console: its status and files are compared.
#            A -ro suffix makes WHERE read-only before the run.
caso() {
  local nome=$1 fixture=$2 dove=$3 programma=$4
  shift 4
  if [[ $programma == *-ro && $sola_lettura_possibile == no ]]; then
    echo "skip   $nome (root cannot drop its capabilities here)"
    return
  fi
  casi=$((casi + 1))
  local l=$radice/linux/$nome w=$radice/windows/$nome
  mkdir -p "$l" "$w"
  "$fixture" "$l"
  "$fixture" "$w"

  local esegui_l=("$linux") esegui_w=("$wine" "$bin_windows/scenario-cli.exe")
  local copia_w=scenario-cli.exe sola=no
  case $programma in
    *-ro) sola=yes; programma=${programma%-ro} ;;
  esac
  case $programma in
    cli) ;;
    cli-copy | gui-copy)
      [ "$programma" = gui-copy ] && copia_w=scenario.exe
      cp "$linux" "$l/$dove/scenario"
      cp "$bin_windows/$copia_w" "$w/$dove/$copia_w"
      esegui_l=(./scenario)
      esegui_w=("$wine" "./$copia_w")
      ;;
    *) echo "unknown program kind $programma" >&2; exit 2 ;;
  esac
  local prima_l=() prima_w=()
  if [ "$sola" = yes ]; then
    chmod 555 "$l/$dove" "$w/$dove"
    prima_l=("${senza_privilegi[@]}")
    prima_w=("${senza_privilegi[@]}")
  fi

  local stato_l=0 stato_w=0
  (cd "$l/$dove" && "${prima_l[@]}" "${esegui_l[@]}" "$@" \
    >"$l.out" 2>"$l.err") || stato_l=$?
  (cd "$w/$dove" && "${prima_w[@]}" "${esegui_w[@]}" "$@" \
    >"$w.out" 2>"$w.err") || stato_w=$?
  [ "$sola" = yes ] && chmod 755 "$l/$dove" "$w/$dove"

  local guasti=()
  [ "$stato_l" = "$stato_w" ] ||
    guasti+=("exit status: Linux $stato_l, Windows $stato_w")
  if [ "$programma" != gui-copy ]; then
    local cartella_w="Z:${w//\//\\}"
    # The check's findings name files on standard output.
    diff <(normalizza "$l.out" "$l") <(normalizza "$w.out" "$cartella_w") \
      >/dev/null || guasti+=("standard output differs")
    if ! diff <(normalizza "$l.err" "$l") <(normalizza "$w.err" "$cartella_w") \
      >"$w.diff"; then
      guasti+=("report differs:"$'\n'"$(cat "$w.diff")")
    fi
  fi
  # The files left, without the programs themselves.
  local nomi_l nomi_w
  nomi_l=$(cd "$l" && find . -mindepth 1 ! -name scenario ! -name '*.exe' | sort)
  nomi_w=$(cd "$w" && find . -mindepth 1 ! -name scenario ! -name '*.exe' | sort)
  if [ "$nomi_l" != "$nomi_w" ]; then
    guasti+=("files left differ: Linux [$nomi_l] Windows [$nomi_w]")
  else
    local f
    while IFS= read -r f; do
      [ -z "$f" ] || [ -d "$l/$f" ] || cmp -s "$l/$f" "$w/$f" ||
        guasti+=("bytes differ in $f")
    done <<<"$nomi_l"
  fi

  if [ ${#guasti[@]} -eq 0 ]; then
    echo "same   $nome (status $stato_l, $(echo "$nomi_l" | grep -c .) files)"
  else
    differenze=$((differenze + 1))
    echo "DIFFER $nome"
    printf '         %s\n' "${guasti[@]}"
    echo "         Linux report:"
    sed 's/^/           /' "$l.err"
    echo "         Windows report:"
    sed 's/^/           /' "$w.err"
  fi
}

caso run pulita . cli-copy
caso run-keep-sources pulita . cli-copy --keep-sources
caso run-windowed pulita . gui-copy
caso run-in-Nicolò nicolo Nicolò cli-copy
caso run-a-folder-in-the-way cartella_al_posto . cli-copy
caso run-read-only-folder sola_lettura . cli-copy-ro
caso run-windowed-read-only-folder sola_lettura . gui-copy-ro
caso compile pulita . cli compile
caso compile-named-ids nomi_propri . cli compile --route Linea_1 --train T-2
caso compile-fault-25 guasto_25 . cli compile
caso compile-fault-103 guasto_103 . cli compile
caso compile-fault-1250 guasto_1250 . cli compile
caso compile-missing-line-source manca_linea . cli compile
caso compile-missing-train-source manca_treno . cli compile
caso compile-in-Nicolò nicolo_103 . cli compile --folder Nicolò
caso compile-a-folder-in-the-way pulita_cartella_al_posto . cli compile
caso check-clean pulita . cli check
caso check-several-faults molti_guasti . cli check
caso check-in-Nicolò nicolo_103 . cli check --folder Nicolò
caso usage-fault vuota . cli compile --route a/b
caso help vuota . cli --help

echo "$casi cases, $differenze with differences"
[ "$differenze" -eq 0 ]
