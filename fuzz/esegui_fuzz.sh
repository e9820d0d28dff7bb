#!/usr/bin/env bash
# Runs a fuzz target on its committed seeds and fails on any finding (crash,
# sanitizer report, leak, timeout or broken invariant). The input that found
# it is kept in build/fuzz-findings/.
#
#   fuzz/esegui_fuzz.sh FUZZER PROGRAM [libFuzzer options...]
#
# FUZZER is a built sorgenti_fuzz (the compile core) or verifica_fuzz (the
# check against the compile), both seeded with fuzz/corpus/sorgenti/, the
# keyword dictionary and the scenario's own sources cut to 10 km, which
# PROGRAM, a built `scenario`, writes; a built file_compilati_fuzz (the
# decoders, seeded with fuzz/corpus/file_compilati/); a built
# ispezione_fuzz (inspect and plot, seeded with fuzz/corpus/ispezione/); or
# a built lsp_fuzz (the language server's framing and dispatch, seeded with
# fuzz/corpus/lsp/ and its dictionary).
# The corpus lives in a temporary folder, or in ESEGUI_FUZZ_CORPUS when that
# names a folder: a long run that is stopped then goes on from what it had
# found. For example, the bounded runs of CI:
#   fuzz/esegui_fuzz.sh build/asan/fuzz/sorgenti_fuzz build/asan/app/scenario \
#     -max_total_time=60
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 FUZZER PROGRAM [libFuzzer options...]" >&2
  exit 2
fi
radice="$(cd "$(dirname "$0")/.." && pwd)"
fuzzer="$(realpath "$1")"
programma="$(realpath "$2")"
shift 2

lavoro="$(mktemp -d "${TMPDIR:-/tmp}/esegui_fuzz.XXXXXX")"
trap 'rm -rf "$lavoro"' EXIT
reperti="$radice/build/fuzz-findings"
corpus="${ESEGUI_FUZZ_CORPUS:-$lavoro/corpus}"
mkdir -p "$reperti" "$corpus"

opzioni=()
case "$(basename "$fuzzer")" in
  sorgenti_fuzz | verifica_fuzz)
    cp "$radice"/fuzz/corpus/sorgenti/* "$corpus/"
    # The scenario's own pair of sources cut to its first 10 km (rows past
    # 9 km dropped, route length 10000): every input builds a plan point per
    # metre of the route, so the full 309 km would cost each execution
    # twenty times more. The pair is joined by a NUL, once with the plan
    # (j = 1) and once without (a second NUL).
    mkdir -p "$lavoro/scenario"
    ASAN_OPTIONS=detect_leaks=0 "$programma" --folder "$lavoro/scenario" \
      --keep-sources >/dev/null 2>&1
    taglio=10000
    # Line source: the general part stays, with the shorter route; a feature
    # row goes when its first value lies past the cut. Train source: the
    # same rule for every row (rows without a position have small values).
    awk -F, -v t="$taglio" '
      /\[curve\]/ { caratteristiche = 1 }
      !caratteristiche && /lunghezza percorso/ { printf "lunghezza percorso,    %d\r\n", t; next }
      caratteristiche && $2 ~ /^ *-?[0-9]+/ && $2 + 0 > t - 1000 { next }
      { print }
    ' "$lavoro/scenario/Vendralo_linea.txt" >"$lavoro/linea"
    awk -F, -v t="$taglio" '
      $2 ~ /^ *-?[0-9]+/ && $2 + 0 > t - 1000 { next }
      { print }
    ' "$lavoro/scenario/Vendralo_Kv4417-.txt" >"$lavoro/treno"
    {
      cat "$lavoro/linea"
      printf '\0'
      cat "$lavoro/treno"
    } >"$corpus/scenario_10km"
    {
      cat "$corpus/scenario_10km"
      printf '\0'
    } >"$corpus/scenario_10km_senza_piano"
    # Inputs may grow well past the seeds, to reach a full table of
    # stations and board texts (80 rows or more).
    opzioni=(-dict="$radice/fuzz/sorgenti.dict" -max_len=16384)
    ;;
  file_compilati_fuzz)
    cp "$radice"/fuzz/corpus/file_compilati/* "$corpus/"
    opzioni=(-max_len=8192)
    ;;
  ispezione_fuzz)
    cp "$radice"/fuzz/corpus/ispezione/* "$corpus/"
    opzioni=(-max_len=16384)
    ;;
  lsp_fuzz)
    cp "$radice"/fuzz/corpus/lsp/* "$corpus/"
    opzioni=(-dict="$radice/fuzz/lsp.dict" -max_len=16384)
    ;;
  *)
    echo "esegui_fuzz: unknown fuzz target $fuzzer" >&2
    exit 2
    ;;
esac

stato=0
"$fuzzer" "${opzioni[@]}" -timeout=30 -print_final_stats=1 \
  -artifact_prefix="$reperti/" "$@" "$corpus" || stato=$?
if [ "$stato" -ne 0 ]; then
  echo "esegui_fuzz: finding (exit status $stato); inputs in $reperti" >&2
  exit 1
fi
