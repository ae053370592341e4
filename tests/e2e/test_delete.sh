#!/usr/bin/env bash
# F8 in the real program: NO is preselected; YES sends a file, a folder tree and marked items to
# this test's own recycle bin (Wine's is the XDG trash) and the cursor keeps its row. On another
# Linux file system (drive A: on /dev/shm) a file is copied into the bin, but a folder cannot be:
# Wine asks before deleting it for good (Windows keeps a bin on every volume and would not ask),
# and NO there leaves it whole. Names Windows would change ("trail." would reach "trail", "con"
# the console) are refused before the confirmation.
source "$(dirname "$0")/lib.sh" "$1" "$2"

src="$E2E_WORK/src" ref="$E2E_WORK/ref" bin="$E2E_WORK/xdg/Trash"
e2e_scratch_in far /dev/shm
[ "$(stat -c %d "$E2E_WORK")" != "$(stat -c %d "$far")" ] || { echo "FAIL: /dev/shm is not another file system"; exit 1; }
mkdir -p "$src/d_tree/sub" "$src/m_dir" "$far/f_dir/deep"
echo nested > "$src/d_tree/sub/nested.txt"
echo top > "$src/d_tree/top.txt"
echo in > "$src/m_dir/in.txt"
for f in a.txt b.txt con m.txt n.txt trail trail.; do echo "is $f" > "$src/$f"; done
echo leaf > "$far/f_dir/deep/leaf.txt"
echo far > "$far/g.txt"
mkdir "$ref" && cp -a "$src/." "$far/." "$ref"  # every name differs

e2e_map_drive a "$far"
export TORVANE_XDG_DATA_HOME="$E2E_WORK/xdg"

# binned FOLDER NAME: in the bin whole, with its record, and gone from FOLDER.
binned() { [ ! -e "$1/$2" ] && diff -r "$ref/$2" "$bin/files/$2" && grep -q "^Path=.*/$2\$" "$bin/info/$2.trashinfo"; }
in_bin() { e2e_wait "$2 in the bin whole, gone from its folder" binned "$1" "$2"; }
kept() { for n in "$@"; do diff -r "$ref/$n" "$src/$n" || return 1; done; }
bin_list() { ls -A "$bin/files" 2>/dev/null | LC_ALL=C sort | tr '\n' ' '; }
NO_BUTTON="990 617" YES_BUTTON="805 617"
message_box() { e2e_expect_pixel 490 415 "#00A5A5" "$1"; }  # no other box reaches this far left

e2e_start "$src" || { echo "FAIL: the program did not start"; exit 1; }
# The left panel goes to A:, the first drive of the list; the right one (src) becomes active.
tv_keys F9 Home Return Tab
# Right: .., d_tree, m_dir, a.txt, b.txt, con, m.txt, n.txt, trail, trail.
e2e_cursor_to 3 && tv_keys F8
e2e_expect_pixel $NO_BUTTON "#FFFFFF" "confirmation opens with NO selected"
tv_keys Return
e2e_main_view "Enter on NO closes the confirmation"
e2e_expect "$(kept a.txt && echo -n "kept ")$(bin_list)" "kept " "Enter on NO deletes nothing"

tv_keys F8 Left
e2e_expect_pixel $YES_BUTTON "#FFFFFF" "Left selects YES"
tv_keys Return
in_bin "$src" a.txt
# Right: .., d_tree, m_dir, b.txt, con, m.txt, n.txt, trail, trail.
e2e_row_is right 3 "$E2E_CURSOR" "cursor stays on its row (b.txt)"

e2e_cursor_to 1 && tv_keys F8 Left Return
in_bin "$src" d_tree
e2e_row_is right 1 "$E2E_CURSOR" "cursor stays on its row (m_dir)"

# Right: .., m_dir, b.txt, con, m.txt, n.txt, trail, trail.
tv_keys space
e2e_cursor_to 4 && tv_keys space
e2e_row_is right 1 "$E2E_MARKED" "m_dir marked"
tv_keys F8 Left Return
in_bin "$src" m_dir
in_bin "$src" m.txt
e2e_wait "unmarked neighbours untouched" kept b.txt n.txt
e2e_row_is right 1 "$E2E_PLAIN" "marks gone"
# Right: .., b.txt, con, n.txt, trail, trail.
e2e_row_is right 4 "$E2E_CURSOR" "cursor stays on its row (trail)"

for pick in "5 trail." "2 con"; do
  set -- $pick
  e2e_cursor_to "$1" && tv_keys F8
  message_box "F8 on $2 refused in a message box, no confirmation"
  tv_keys Return
  e2e_main_view "message box closed by Enter"
done
e2e_wait "trail., trail and con kept whole" kept trail. trail con
e2e_expect "$(bin_list)" "a.txt d_tree m.txt m_dir " "nothing else in the bin"

# Left (A:): f_dir, g.txt.
tv_keys Tab
E2E_ROW=0
e2e_cursor_to 1 && tv_keys F8 Left Return
in_bin "$far" g.txt
E2E_ROW=0
e2e_row_is left 0 "$E2E_CURSOR" "cursor on the last row (f_dir)"
tv_keys F8 Left Return
nuke_question() { xdotool search --name 'Confirm file deletion'; }
if e2e_wait "Wine asks before deleting f_dir for good" nuke_question; then
  xdotool key --window "$(nuke_question | head -n 1)" Escape 2>/dev/null
  message_box "NO there: DELETE FAILED message box"
  e2e_expect "$(diff -r "$ref/f_dir" "$far/f_dir" && echo -n "kept ")$(bin_list)" "kept a.txt d_tree g.txt m.txt m_dir " \
    "f_dir kept whole, not in the bin"
  tv_keys Return
  e2e_main_view "message box closed by Enter"
fi

tv_keys F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_finish
