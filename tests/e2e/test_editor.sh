#!/usr/bin/env bash
# F4 in the real program: a word typed into a UTF-16 file with CR LF breaks is saved after F2 and
# YES in the same form, with the old bytes in the .bak; leaving with NO keeps the file; a close
# request to the window while the text is changed asks to save first. Then, started again: a file
# with mixed line breaks says so at F4, over the editor's box, and F2 without a change writes CR LF
# throughout and nothing else; a file whose bytes would not come back keeps them and its old .bak.
source "$(dirname "$0")/lib.sh" "$1" "$2"

dir="$E2E_WORK/files"
mkdir -p "$dir"
utf16() { { printf '\xff\xfe'; printf "$1" | iconv -t UTF-16LE; }; }
utf16 'first line\r\nsecond line\r\n' > "$dir/wide.txt"
cp "$dir/wide.txt" "$E2E_WORK/old.txt"
question_open() { e2e_expect_pixel 960 400 "#00A5A5" "$1"; }
editor_open() { e2e_expect_pixel 60 500 "#B0B0B0" "$1"; }

e2e_start "$dir" || { echo "FAIL: the program did not start"; exit 1; }
# The right panel shows the start folder: .., wide.txt.
tv_keys Tab
e2e_cursor_to 1 && tv_keys F4
editor_open "F4 opens the editor"
xdotool type --delay 50 "new "
tv_keys F2
question_open "F2 asks before saving"
tv_keys Return
saved() { [ "$(cat "$dir/wide.txt" | md5sum)" = "$(utf16 'new first line\r\nsecond line\r\n' | md5sum)" ]; }
e2e_wait "the new word is on disk, still UTF-16 with CR LF" saved
e2e_expect "$(md5sum < "$dir/wide.txt.bak")" "$(md5sum < "$E2E_WORK/old.txt")" "the .bak holds the old bytes"

cp "$dir/wide.txt" "$E2E_WORK/saved.txt"
xdotool type --delay 50 "more "
tv_keys Escape
question_open "ESC on a changed text asks to save"
tv_keys Right Return
e2e_main_view "NO leaves the editor"
e2e_expect "$(md5sum < "$dir/wide.txt")" "$(md5sum < "$E2E_WORK/saved.txt")" "NO leaves the file as it was"

tv_keys F4
editor_open "F4 opens the editor again"
xdotool type --delay 50 "x"
tv_keys alt+F4
question_open "a close request asks to save first"
tv_keys Escape
editor_open "ESC keeps the editor and the program"
tv_keys alt+F4
question_open "asked again"
tv_keys Right Return
tv_wait_exit 10 && e2e_expect "$TV_EXIT" 0 "NO closes the program" || { echo "FAIL: the program did not end"; e2e_failures=$((e2e_failures + 1)); }
e2e_expect "$(md5sum < "$dir/wide.txt")" "$(md5sum < "$E2E_WORK/saved.txt")" "and leaves the file as it was"

more="$E2E_WORK/more"
mkdir -p "$more"
printf 'id,note\r\n1,"two\nlines"\r\n' > "$more/b_mixed.csv"
cp "$more/b_mixed.csv" "$E2E_WORK/mixed-old.csv"
printf '\xef\xbb\xbfok\xff' > "$more/a_bad.txt"
printf 'older' > "$more/a_bad.txt.bak"
cp "$more/a_bad.txt" "$E2E_WORK/bad-old.txt"
e2e_start "$more" || { echo "FAIL: the program did not start again"; exit 1; }
# .., a_bad.txt, a_bad.txt.bak, b_mixed.csv
tv_keys Tab
E2E_ROW=0
e2e_cursor_to 3 && tv_keys F4
editor_open "F4 opens the file with mixed breaks"
# Inside the editor's box, above the letters: the status line's own background, not the box's grey.
e2e_expect_pixel 300 979 "#008080" "the warning reads over the editor's box"
e2e_shot "editor-mixed-breaks" >/dev/null
tv_keys F2
question_open "F2 asks before saving"
tv_keys Return
crlf() { [ "$(md5sum < "$more/b_mixed.csv")" = "$(printf 'id,note\r\n1,"two\r\nlines"\r\n' | md5sum)" ]; }
e2e_wait "F2 without a change writes CR LF throughout and nothing else" crlf
e2e_expect "$(md5sum < "$more/b_mixed.csv.bak")" "$(md5sum < "$E2E_WORK/mixed-old.csv")" "the .bak holds the bytes read"
tv_keys Escape
e2e_main_view "ESC leaves the unchanged file"
e2e_cursor_to 1 && tv_keys F4
editor_open "F4 opens the file that cannot be saved"
tv_keys F2
question_open "F2 asks"
tv_keys Return
editor_open "the refused save stays in the editor"
e2e_expect "$(md5sum < "$more/a_bad.txt")" "$(md5sum < "$E2E_WORK/bad-old.txt")" "the refused file keeps its bytes"
e2e_expect "$(cat "$more/a_bad.txt.bak")" "older" "and its old .bak"
e2e_finish
