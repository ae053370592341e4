#!/usr/bin/env bash
# F5 in the real program: a file, a folder tree and marked items land whole in the other panel,
# whose cursor moves onto them; the overwrite question keeps or replaces the old file; ESC stops
# a large copy without leaving a target or a temporary file.
source "$(dirname "$0")/lib.sh" "$1" "$2"

src="$E2E_WORK/src" dst="$E2E_WORK/dst"
mkdir -p "$src/more" "$src/tree/deep/er" "$src/tree/empty" "$dst/zkeep"
head -c 3000000 /dev/urandom > "$src/a.txt"  # three chunks
for n in b c; do echo "$n" > "$src/$n.txt"; done
echo more > "$src/more/x.txt"
echo leaf > "$src/tree/deep/er/leaf.txt"
echo ro > "$src/tree/ro.txt"
echo hid > "$src/tree/hid.txt"
echo new > "$src/clash.txt"
echo old > "$dst/clash.txt"
truncate -s 2G "$src/big.bin"  # sparse: reading it costs nothing, writing it takes a while

e2e_map_drive a "$dst"
e2e_attrib +r "$src/tree/ro.txt"
e2e_attrib +h "$src/tree/hid.txt"

e2e_start "$src" || { echo "FAIL: the program did not start"; exit 1; }
# The left panel goes to A:, the first drive of the list; the right one (source) becomes active.
tv_keys F9 Home Return Tab
# Right: .., more, tree, a.txt, b.txt, big.bin, c.txt, clash.txt. Left: zkeep, clash.txt.
copied() { for n in "$@"; do diff -r "$src/$n" "$dst/$n" || return 1; done; }
temp_items() { find "$dst" -name '.torvanecommander_tmp_*'; }
copy_started() { [ -n "$(temp_items)" ]; }

e2e_cursor_to 3
tv_keys F5
e2e_wait "a.txt copied" copied a.txt
e2e_row_is left 1 "$E2E_CURSOR" "target cursor on a.txt"

e2e_cursor_to 2
tv_keys F5
e2e_wait "tree copied with its empty folder" copied tree
e2e_row_is left 0 "$E2E_CURSOR" "target cursor on tree"
e2e_expect "$(e2e_attrib "$dst/tree/ro.txt") $(e2e_attrib "$dst/tree/hid.txt")" "R H" "read-only and hidden travel"

e2e_cursor_to 1 && tv_keys space
e2e_cursor_to 4 && tv_keys space
e2e_cursor_to 6 && tv_keys space
e2e_row_is right 4 "$E2E_MARKED" "b.txt marked"
tv_keys F5
e2e_wait "marked items copied" copied more b.txt c.txt
# Left: more, tree, zkeep, a.txt, b.txt, c.txt, clash.txt; the cursor on the last item copied.
e2e_row_is left 5 "$E2E_CURSOR" "target cursor on c.txt"
e2e_row_is right 1 "$E2E_PLAIN" "source marks gone (more)"
e2e_row_is right 4 "$E2E_PLAIN" "source marks gone (b.txt)"

# The overwrite question: NO is preselected, so Enter keeps the old file, as does ESC; Left picks YES.
e2e_cursor_to 7
for answer in Return Escape; do
  tv_keys F5
  e2e_expect_pixel 984 640 "#FFFFFF" "overwrite question opens with NO selected"
  tv_keys "$answer"
  e2e_main_view "question closed by $answer"
  e2e_expect "$(cat "$dst/clash.txt")" old "old target kept after $answer"
done
tv_keys F5 Left
e2e_expect_pixel 800 640 "#FFFFFF" "Left selects YES"
tv_keys Return
e2e_wait "target replaced after YES" copied clash.txt
e2e_row_is left 6 "$E2E_CURSOR" "target cursor on clash.txt"

# ESC as soon as the temporary file exists.
e2e_cursor_to 5
tv_keys F5
e2e_wait "large copy under way" copy_started
tv_keys Escape
# Of the boxes over the panels only the message box reaches this far left.
e2e_expect_pixel 490 415 "#00A5A5" "a message box reports the cancelled copy"
echo "screenshot: $(e2e_shot copy-cancelled)"
e2e_expect "$(ls "$dst/big.bin" 2>/dev/null)" "" "no target after ESC"
e2e_expect "$(temp_items)" "" "no temporary item left"
tv_keys Return
e2e_main_view "message box closed"

tv_keys F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_finish
