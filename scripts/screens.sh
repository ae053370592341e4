#!/usr/bin/env bash
# Builds the program and photographs every screen of it under an Xvfb of its own, at the default
# settings, with a prepared folder as the right panel and another one as drive D: on the left.
# Each shot lands in docs/screens/NAME.png (in 32 colours); the main view is also
# docs/screenshot.png, the README's first picture. About a minute.
#   scripts/screens.sh [--first N] [--out DIR] [--exe EXE]
# --first N stops after the first N shots; --exe photographs a program built elsewhere (the test
# passes the build's own and a scratch folder as --out).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
first=1000 out="$root/docs/screens" exe=""
while [ $# -gt 0 ]; do
  case "$1" in
    --first) first=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    *) echo "usage: scripts/screens.sh [--first N] [--out DIR] [--exe EXE]" >&2; exit 2 ;;
  esac
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ -z "$exe" ]; then
  source "$root/scripts/build-env.sh"
  torvane_configure
  cmake --build "$build" --target TorvaneCommander -j "$(nproc)" >/dev/null
  exe="$build/TorvaneCommander.exe"
fi
prefix="$(cd "$(dirname "$exe")" && pwd)/wineprefix-screens"
source "$root/scripts/app-driver.sh"
server() { WINEPREFIX="$prefix" "$WINE_SERVER" "$@" >/dev/null 2>&1 || true; }
work="" docs=""
cleanup() {
  tv_stop
  rm -f "$prefix/dosdevices/d:"
  server -k
  rm -rf "$work" "$docs"
}
trap cleanup EXIT

# Always its own display, so no key reaches a real desktop; the prefix's server must start on it.
unset DISPLAY
server -k; server -w
tv_start_display
work=$(mktemp -d /tmp/tv-screens.XXXXXX)
"$root/scripts/wine-exec.sh" "$prefix" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
# The start folder is C:\Documents, the left panel goes to D:; the copy of the program keeps its
# settings file in the scratch folder.
docs="$prefix/drive_c/Documents" projects="$work/Projects"
rm -rf "$docs"
mkdir -p "$docs/Invoices" "$docs/Letters" "$docs/Photos" "$projects/garden/plants" "$projects/website"
head -c 21000 /dev/zero | tr '\0' 'x' > "$docs/budget-2026.csv"
head -c 1200000 /dev/urandom > "$docs/holiday.jpg"
truncate -s 3G "$docs/backup.img"  # sparse: quick to read, a few seconds to copy
printf '%s\r\n' 'Notes for the week' '' '- call the plumber' '- pay the electricity bill' '- plan the garden' \
  > "$docs/notes.txt"
echo 'Dear Anna,' > "$docs/Letters/anna.txt"
echo 'data' > "$docs/archive.zzz"  # no application opens this
for n in tomato basil mint rosemary; do echo "$n" > "$projects/garden/plants/$n.txt"; done
{
  echo 'Garden plan'
  echo '==========='
  for m in March April May June July August September; do
    echo "$m: sow, water, weed and harvest what the month brings"
  done
  echo 'The tomatoes go along the south wall, the herbs beside the kitchen door.'
} > "$projects/garden/plan.txt"
printf 'one line %d\n' {1..40} > "$projects/website/index.html"
echo 'To do: nothing yet' > "$projects/todo.txt"
# Fixed times, so that two runs differ only in the clock.
find "$docs" "$projects" -exec touch -d '2026-03-14 10:30' {} +
cp "$exe" "$work/TorvaneCommander.exe"
ln -sfn "$projects" "$prefix/dosdevices/d:"
server -k; server -w
pushd "$docs" >/dev/null
tv_start "$prefix" "$work/TorvaneCommander.exe"
popd >/dev/null
tv_wait_window && tv_wait_paint

shots=0
# shot NAME [KEYS...]: presses the keys, lets the screen settle and saves it in 32 colours.
shot() {
  local name=$1
  shift
  [ "$shots" -lt "$first" ] || exit 0
  [ $# -gt 0 ] && tv_keys "$@"
  tv_screenshot "$work/shot.png"
  "$TV_CONVERT" "$work/shot.png" -strip +dither -colors 32 -define png:compression-level=9 "$out/$name.png"
  shots=$((shots + 1))
  echo "$out/$name.png"
}

# Left panel D:\ (garden, website, todo.txt), right panel C:\Documents (.., Invoices, Letters,
# Photos, archive.zzz, backup.img, budget-2026.csv, holiday.jpg, notes.txt).
shot drives F9 Home Down
tv_keys Return space Down Down space Up Tab Down Down Down Down Down Down space Down space Down
shot main
[ "$out" = "$root/docs/screens" ] && cp "$out/main.png" "$root/docs/screenshot.png"
shot help F1
shot info Escape F12
shot settings Escape F11
tv_keys Escape F7 && xdotool type --delay 40 Receipts
shot folder-name
shot rename Escape Up Up F2
shot confirm Escape F8
# The copy of the 3 GB image to D: takes several seconds; ESC stops it, and the report names the
# Windows code of the cancelled copy.
tv_keys Escape Escape Up F5
for i in $(seq 1 100); do [ -n "$(find "$projects" -name '.torvane*' -print -quit)" ] && break; sleep 0.05; done
shot copy-progress
shot copy-cancelled Escape
# Nothing opens a .zzz file.
shot open-failed Return Up Return
shot viewer Return Down Down Down Down F3
tv_keys Escape Tab Up Return Down Down F4
shot editor-block Down Down ctrl+Down ctrl+Down ctrl+Down
tv_keys ctrl+f && xdotool type --delay 40 harvest
shot editor-find Return
shot editor-help F1
tv_keys Escape && xdotool type --delay 40 x
shot save-question Escape
tv_keys Right Return F10
tv_wait_exit 10
