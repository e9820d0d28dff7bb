#!/usr/bin/env bash
# Runs every test of the Windows build under Wine, in a fresh Wine prefix
# with one wineserver for the whole run: the unit tests (ctest), the
# byte-for-byte comparison with the Linux program (confronto.sh), then the
# window tests on one Xvfb display of their own.
#
#   tests/windows/prove_wine.sh [WINDOWS_BUILD [LINUX_PROGRAM]]
#
# WINDOWS_BUILD defaults to build/windows (cmake --workflow --preset
# windows); LINUX_PROGRAM to build/release/app/scenario, built with the
# release workflow when missing.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=$(realpath "${1:-build/windows}")
linux=${2:-build/release/app/scenario}
wine=${SCENARIO_WINE:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver

if [ ! -x "$linux" ]; then
  cmake --workflow --preset release
fi

export WINEPREFIX=$build/wine
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and nothing may be downloaded.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine reads the command line in the locale's character set.
export LC_ALL=C.UTF-8
unset DISPLAY

# Root ignores permission bits; without its capabilities they bind, for the
# read-only folder cases. The wineserver creates the files, so it runs so.
senza_privilegi=()
if [ "$(id -u)" -eq 0 ] &&
  setpriv --inh-caps=-all --bounding-set=-all -- true 2>/dev/null; then
  senza_privilegi=(setpriv --inh-caps=-all --bounding-set=-all --)
fi

xvfb_pid=
fine() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  "$wineserver" -k 2>/dev/null || true
}
trap fine EXIT

echo "== Wine prefix $WINEPREFIX"
# A wineserver left by an earlier run of this prefix goes with it.
if [ -d "$WINEPREFIX" ]; then "$wineserver" -k 2>/dev/null || true; fi
rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
# The label's font: Debian ships it in fonts-wine, but Wine looks for it in
# the prefix.
cp /usr/share/wine/fonts/sserife.fon "$WINEPREFIX/drive_c/windows/Fonts/"
"${senza_privilegi[@]}" "$wineserver" -p
# Xvfb has no window manager: managed windows would wait for one for two
# seconds each time they are hidden. This first program of the session also
# starts Wine's services, which stay for the whole run and keep the standard
# handles they get: here /dev/null, not the pipes of a test that ctest waits
# on.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
  </dev/null >/dev/null 2>&1

echo "== Unit tests under Wine"
ctest --test-dir "$build" --label-exclude finestra --output-on-failure -j 2

echo "== Linux and Windows programs on the same fixtures"
tests/windows/confronto.sh "$linux" "$build/bin"

echo "== Window tests under Xvfb"
# Xvfb picks a free display and writes its number once it is ready.
display_file=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 \
  3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
numero=$(tr -d '\n' <"$display_file")
rm -f "$display_file"
if [ -z "$numero" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
DISPLAY=:$numero ctest --test-dir "$build" --label-regex finestra \
  --output-on-failure
