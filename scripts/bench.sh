#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine; each prints its medians and the ratio it is
# judged by. Benchmarks are never part of the tests.
#   scripts/bench.sh                    all of them, then one table of every figure against its target
#                                       (also written to build/bench-table.md)
#   scripts/bench.sh --short            the same with a shorter transfer (fewer rounds of each copy)
#   scripts/bench.sh NAME [ARGS...]     one, with its own arguments (e.g. scripts/bench.sh transfer big)
# A bench joins the table by printing lines "ROW|what|figure|reference|ratio|target|met" (see
# bench/bench_common.h); they are gathered, not shown among its own lines.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/build-env.sh"
prefix="$build/wineprefix-bench"
torvane_configure
cmake --build "$build" -j "$(nproc)" >/dev/null

short=""
if [ "${1:-}" = "--short" ]; then short=1; shift; fi
want="${1:-}"; [ $# -gt 0 ] && shift
# The benches read it from their environment (Wine passes it on).
if [ -n "$short" ]; then export TORVANE_BENCH_SHORT=1; else unset TORVANE_BENCH_SHORT; fi

rows=$(mktemp)
trap 'rm -f "$rows"; WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true' EXIT
status=0
began=$SECONDS
# One bench per source file, so that a program left over from a removed bench is not run.
for source in "$root"/bench/*.cpp; do
  name=$(basename "$source" .cpp)
  exe="$build/bench/bench_$name.exe"
  [ -e "$exe" ] || continue
  [ -n "$want" ] && [ "$want" != "$name" ] && continue
  echo "== $name"
  started=$SECONDS
  # A bench may need a fixture that is slow to build through Wine (100,000 names in one folder:
  # each new name is a case-insensitive search of the folder); bench/NAME.sh builds it from Linux
  # in the folder it is given (BENCH_BUILD names the build tree) and prints the arguments that lead
  # the bench to it. The folder stays in the build tree, so the next run finds it made.
  args=("$@")
  if [ -f "$root/bench/$name.sh" ]; then
    fixture="$build/bench-fixtures/$name"
    mkdir -p "$fixture"
    read -r -a args < <(BENCH_BUILD="$build" bash "$root/bench/$name.sh" "$fixture") || true
    [ ${#args[@]} -gt 0 ] || echo "bench/$name.sh gave no arguments"
  fi
  # Wine's console output ends its lines in CR LF.
  set +e
  "$root/scripts/wine-exec.sh" "$prefix" "$exe" "${args[@]}" | tr -d '\r' | while IFS= read -r line; do
    case "$line" in
      'ROW|'*) echo "$line" >> "$rows" ;;
      *) printf '%s\n' "$line" ;;
    esac
  done
  code=${PIPESTATUS[0]}
  set -e
  [ "$code" -ne 0 ] && status=$code
  echo "   ($name: $((SECONDS - started)) s)"
done

if [ -s "$rows" ]; then
  machine="$(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(free -g | awk '/^Mem:/ {print $2}') GiB"
  report=$(
    echo "| Measured | Figure | Reference | Ratio | Target | Met |"
    echo "|---|---|---|---|---|---|"
    awk -F'|' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $2, $3, $4, $5, $6, $7 }' "$rows"
    echo
    echo "$(date +%F), $machine, $("$WINE_LOADER" --version 2>/dev/null || echo Wine)${short:+, transfer shortened (--short)}; run of $((SECONDS - began)) s"
  )
  printf '\n%s\n' "$report"
  if [ -z "$want" ]; then
    echo "$report" > "$build/bench-table.md"
    echo "Written to $build/bench-table.md"
  fi
fi
exit $status
