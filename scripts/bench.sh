#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine; each prints its medians and ratios.
#   scripts/bench.sh [NAME...]     e.g. scripts/bench.sh listing frame
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
source "$root/scripts/wine-env.sh"
build="${TORVANE_BUILD_DIR:-$root/build}"
prefix="$build/wineprefix-bench"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$build"/bench/bench_*.exe; do n=$(basename "$f" .exe); names+=("${n#bench_}"); done
fi
trap 'WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true' EXIT
for name in "${names[@]}"; do
  echo "== $name"
  "$root/scripts/wine-exec.sh" "$prefix" "$build/bench/bench_$name.exe"
done
