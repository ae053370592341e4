#!/usr/bin/env bash
# Builds like scripts/test.sh and runs the benchmarks under Wine; they print their figures.
#   scripts/bench.sh [name [args...]]   e.g. scripts/bench.sh transfer big   (bench_transfer.exe only,
#                                        with its own arguments)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
source "$root/scripts/wine-env.sh"
build="${TORVANE_BUILD_DIR:-$root/build}"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

want="${1:-}"; [ $# -gt 0 ] && shift
status=0
for exe in "$build"/bench/bench_*.exe; do
  [ -e "$exe" ] || continue
  name=$(basename "$exe" .exe); name=${name#bench_}
  [ -n "$want" ] && [ "$want" != "$name" ] && continue
  echo "== $name"
  "$root/scripts/wine-exec.sh" "$build/wineprefix" "$exe" "$@" || status=$?
done
exit $status
