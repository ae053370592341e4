#!/usr/bin/env bash
# Builds the program and starts it under Wine, with the current folder as the right panel.
# Without a display it runs on an Xvfb of 1920 x 1080, saves a screenshot and ends the program.
#   scripts/run.sh [--screenshot FILE] [--keys "F11 Down Return"]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shot=screenshot.png
keys=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot=$2; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    *) echo "usage: scripts/run.sh [--screenshot FILE] [--keys \"KEY ...\"]" >&2; exit 2 ;;
  esac
done
case "$shot" in /*) ;; *) shot="$PWD/$shot" ;; esac

source "$root/scripts/build-env.sh"
torvane_configure
cmake --build "$build" --target TorvaneCommander -j "$(nproc)" >/dev/null
exe="$build/TorvaneCommander.exe"
prefix="$build/wineprefix-run"

source "$root/scripts/app-driver.sh"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-exec.sh" "$prefix" "$exe"
fi

trap tv_stop EXIT
tv_start_display
# Wine's own start is timed apart from the program's: the first run creates the prefix (about 10 s,
# once), and every run starts a wineserver for it.
seconds_since() { echo "$(date +%s.%N) - $1" | bc -l; }
began=$(date +%s.%N)
if [ ! -f "$prefix/system.reg" ]; then
  echo "First run: creating the Wine prefix in $prefix (once, about 10 s)..."
  "$root/scripts/wine-exec.sh" "$prefix" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
  printf 'Wine prefix created and wineserver started in %.2f s.\n' "$(seconds_since "$began")"
else
  "$root/scripts/wine-exec.sh" "$prefix" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
  printf 'Wineserver started in %.2f s.\n' "$(seconds_since "$began")"
fi
tv_start "$prefix" "$exe"
tv_wait_window
tv_wait_paint
printf 'Program start to first paint: %.2f s.\n' "$(echo "$TV_PAINTED - $TV_STARTED" | bc -l)"
[ -n "$keys" ] && tv_keys $keys
tv_screenshot "$shot"
echo "Screenshot: $shot"
tv_keys F10
tv_wait_exit 10 || true
