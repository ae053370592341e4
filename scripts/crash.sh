#!/usr/bin/env bash
# Builds the program and kills it N times at random instants of its operations (tests/e2e/crash.sh
# says what is checked). The same SEED draws the same operations again; the delays follow the
# durations measured at the start.
#   scripts/crash.sh N [SEED [OPERATION...]]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -ge 1 ] || { echo "usage: scripts/crash.sh N [SEED [OPERATION...]]" >&2; exit 2; }
source "$root/scripts/build-env.sh"
torvane_configure
cmake --build "$build" --target TorvaneCommander -j "$(nproc)" >/dev/null
seed=${2:-$((RANDOM * 32768 + RANDOM))}
echo "Crash run: $1 kills, seed $seed"
exec bash "$root/tests/e2e/crash.sh" "$build/TorvaneCommander.exe" "$build/wineprefix-crash" "$1" "$seed" "${@:3}"
