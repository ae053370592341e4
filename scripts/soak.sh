#!/usr/bin/env bash
# Builds the program and sends it N random keys (tests/e2e/soak.sh says what is checked and how the
# sandbox is kept). A failing run prints its seed; the same seed sends the same keys again.
#   scripts/soak.sh N [SEED]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -ge 1 ] || { echo "usage: scripts/soak.sh N [SEED]" >&2; exit 2; }
source "$root/scripts/build-env.sh"
torvane_configure
cmake --build "$build" --target TorvaneCommander -j "$(nproc)" >/dev/null
seed=${2:-$((RANDOM * 32768 + RANDOM))}
echo "Soak: $1 keys, seed $seed"
exec bash "$root/tests/e2e/soak.sh" "$build/TorvaneCommander.exe" "$1" "$seed"
