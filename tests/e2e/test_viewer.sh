#!/usr/bin/env bash
# F3 in the real program: a UTF-16 file with a mark opens in the viewer with its text, the position
# line follows Down, PageDown, End and Home, ESC closes; a folder, an unsupported name and a binary
# .txt never open it.
source "$(dirname "$0")/lib.sh" "$1" "$2"

dir="$E2E_WORK/files"
mkdir -p "$dir/sub"
printf 'x\0\0\0y\0\0\0' > "$dir/bin.txt"
echo 'plain words' > "$dir/data.bin"
{ printf '\xff\xfe'; for i in $(seq 1 60); do printf 'line %d of the wide file\r\n' "$i"; done | iconv -t UTF-16LE; } \
  > "$dir/wide.txt"

# A region of the live screen as a checksum, and how many colours it holds.
region() { "$TV_IMPORT" -display "$DISPLAY" -window root -crop "$1" -depth 8 rgb:- 2>/dev/null | md5sum; }
colours() { "$TV_IMPORT" -display "$DISPLAY" -window root -crop "$1" -depth 8 png:- 2>/dev/null |
  "$TV_CONVERT" png:- -format %k info:; }
# At 1920 x 1080: "Line N / M" below the text area, the first text row, the status line.
position=250x28+80+946
first_row=600x28+86+170
status=900x30+20+1000
changed() { [ "$(region "$1")" != "$2" ]; }
viewer_open() { e2e_expect_pixel 60 500 "#C0C0C0" "$1"; }

e2e_start "$dir" || { echo "FAIL: the program did not start"; exit 1; }
# The right panel shows the start folder: .., sub, bin.txt, data.bin, wide.txt.
tv_keys Tab
e2e_cursor_to 4 && tv_keys F3
viewer_open "F3 on a UTF-16 file opens the viewer"
e2e_wait "the first row shows text" test "$(colours $first_row)" -gt 1
at_start=$(region $position)
last=$at_start
for key in Down Next End Home; do
  tv_keys "$key"
  e2e_wait "$key moves the position line" changed $position "$last"
  last=$(region $position)
done
e2e_expect "$last" "$at_start" "Home shows line 1 again"
tv_keys Escape
e2e_main_view "ESC closes the viewer"

# A folder: only the status line changes. An unsupported name and a binary .txt: a message box.
before=$(region $status)
e2e_cursor_to 1 && tv_keys F3
e2e_wait "F3 on a folder says so in the status line" changed $status "$before"
e2e_main_view "F3 on a folder opens nothing"
for row in 3 2; do
  e2e_cursor_to "$row" && tv_keys F3
  e2e_expect_pixel 490 415 "#00A5A5" "F3 on row $row opens a message box"
  tv_keys Return
  e2e_main_view "Enter closes the box"
done
e2e_finish
