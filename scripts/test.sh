#!/usr/bin/env bash
# Builds everything and runs every test through ctest; the exit code is the test result.
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -R Paths
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/build-env.sh"
prefix="$build/wineprefix"

torvane_configure
cmake --build "$build" -j "$(nproc)"

# One Xvfb for the whole run, started before the wineserver so the prefix has a display.
cleanup() {
  WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
WINEPREFIX="$prefix" "$WINE_SERVER" -w >/dev/null 2>&1 || true
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 7 -screen 0 1920x1080x24 -nolisten tcp 7>"$fifo" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
read -r display_num < "$fifo"; rm -f "$fifo"
export DISPLAY=":$display_num"

cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
