# Drives the real program under Wine and X (sourced by scripts/run.sh and the end-to-end tests).
#   tv_start PREFIX EXE      start it in the background (from the current folder)
#   tv_wait_window           wait for its window; sets TV_WINDOW
#   tv_wait_paint            wait until the window shows its first frame
#   tv_keys KEY...           xdotool key names, e.g. F11 Down Return ctrl+Down
#   tv_screenshot FILE       the whole screen as PNG
#   tv_pixel FILE X Y        "#RRGGBB" of one pixel of a screenshot
#   tv_wait_exit [SECONDS]   wait for the program to end; sets TV_EXIT
#   tv_stop                  end it and its display if we started one
tv_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$tv_here/wine-env.sh"
TV_TITLE='TORVANE COMMANDER Ver. 1.0'
TV_IMPORT=/usr/bin/import
TV_CONVERT=/usr/bin/convert

# Starts an Xvfb of 1920 x 1080 and exports its DISPLAY; tv_stop ends it.
tv_start_display() {
  local fifo num
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 7 -screen 0 1920x1080x24 -nolisten tcp 7>"$fifo" </dev/null >/dev/null 2>&1 &
  TV_XVFB=$!
  read -r num < "$fifo"; rm -f "$fifo"
  export DISPLAY=":$num"
}

tv_start() {
  TV_PREFIX=$1; local exe=$2
  if [ -z "${DISPLAY:-}" ]; then
    # The prefix's wineserver must start on this display, not on an older one.
    WINEPREFIX="$TV_PREFIX" "$WINE_SERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$TV_PREFIX" "$WINE_SERVER" -w >/dev/null 2>&1 || true
    tv_start_display
  fi
  TV_STARTED=$(date +%s.%N)
  "$tv_here/wine-exec.sh" "$TV_PREFIX" "$exe" </dev/null >/dev/null 2>&1 &
  TV_PID=$!
}

tv_wait_window() {
  local i
  TV_WINDOW=""
  for i in $(seq 1 300); do
    TV_WINDOW=$(xdotool search --name "$TV_TITLE" 2>/dev/null | head -n 1 || true)
    [ -n "$TV_WINDOW" ] && return 0
    sleep 0.05
  done
  echo "no window appeared" >&2
  return 1
}

# Pixel of the live screen, "#RRGGBB".
tv_screen_pixel() {
  "$TV_IMPORT" -display "$DISPLAY" -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1 || true
}

# Waits until the title band (never black, never the X root's colour) has been painted.
tv_wait_paint() {
  local i p
  for i in $(seq 1 400); do
    p=$(tv_screen_pixel 4 30)
    if [ -n "$p" ] && [ "$p" != "#000000" ]; then
      TV_PAINTED=$(date +%s.%N)
      return 0
    fi
    sleep 0.025
  done
  echo "the window never painted" >&2
  return 1
}

tv_keys() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.05
  done
}

tv_screenshot() {
  sleep 0.3
  "$TV_IMPORT" -display "$DISPLAY" -window root "$1"
}

tv_pixel() {
  "$TV_CONVERT" "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1 || true
}

tv_wait_exit() {
  local limit=${1:-10} i
  for i in $(seq 1 $((limit * 20))); do
    if ! kill -0 "$TV_PID" 2>/dev/null; then
      wait "$TV_PID"; TV_EXIT=$?
      return 0
    fi
    sleep 0.05
  done
  return 1
}

tv_stop() {
  if [ -n "${TV_PID:-}" ] && kill -0 "$TV_PID" 2>/dev/null; then
    WINEPREFIX="$TV_PREFIX" "$WINE_SERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "${TV_XVFB:-}" ]; then
    WINEPREFIX="$TV_PREFIX" "$WINE_SERVER" -k >/dev/null 2>&1 || true
    kill "$TV_XVFB" 2>/dev/null || true
    TV_XVFB=""
  fi
}
