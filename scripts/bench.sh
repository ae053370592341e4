#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine; each prints its medians and the ratio it is
# judged by. Benchmarks are never part of the tests.
#   scripts/bench.sh                    all of them
#   scripts/bench.sh NAME [ARGS...]     one, with its own arguments (e.g. scripts/bench.sh transfer big)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/build-env.sh"
prefix="$build/wineprefix-bench"
torvane_configure
cmake --build "$build" -j "$(nproc)" >/dev/null

want="${1:-}"; [ $# -gt 0 ] && shift
trap 'WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true' EXIT
status=0
for exe in "$build"/bench/bench_*.exe; do
  [ -e "$exe" ] || continue
  name=$(basename "$exe" .exe); name=${name#bench_}
  [ -n "$want" ] && [ "$want" != "$name" ] && continue
  echo "== $name"
  # A bench may need a fixture that is slow to build through Wine (100,000 names in one folder:
  # each new name is a case-insensitive search of the folder); bench/NAME.sh builds it from Linux
  # in the folder it is given and prints the arguments that lead the bench to it.
  fixture=""; args=("$@")
  if [ -f "$root/bench/$name.sh" ]; then
    fixture=$(mktemp -d /tmp/tvbench-fixture.XXXXXX)
    read -r -a args < <(bash "$root/bench/$name.sh" "$fixture")
  fi
  "$root/scripts/wine-exec.sh" "$prefix" "$exe" "${args[@]}" || status=$?
  [ -n "$fixture" ] && rm -rf "$fixture"
done
exit $status
