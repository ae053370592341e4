#!/usr/bin/env bash
# F6 in the real program, within one file system (drive A:, a rename) and onto another one (drive
# B: on /dev/shm, where Wine's MoveFileExW answers ERROR_NOT_SAME_DEVICE and the program copies and
# deletes): a file, a folder tree and marked items arrive whole and their sources are gone.
source "$(dirname "$0")/lib.sh" "$1" "$2"

src="$E2E_WORK/src" ref="$E2E_WORK/ref" near="$E2E_WORK/near"
e2e_scratch_in far /dev/shm
[ "$(stat -c %d "$E2E_WORK")" != "$(stat -c %d "$far")" ] || { echo "FAIL: /dev/shm is not another file system"; exit 1; }
mkdir -p "$src" "$near/0keep" "$far/0keep"
for t in a_tree b_tree; do
  mkdir -p "$src/$t/deep/er" "$src/$t/empty"
  echo leaf > "$src/$t/deep/er/leaf.txt"
  echo ro > "$src/$t/ro.txt"
  echo hid > "$src/$t/hid.txt"
done
for d in c_dir d_dir; do mkdir "$src/$d" && echo "$d" > "$src/$d/in.txt"; done
for f in e1 e2; do head -c 3000000 /dev/urandom > "$src/$f.txt"; done
for f in k1 k2; do echo "$f" > "$src/$f.txt"; done
echo new | tee "$src/x.txt" > "$src/y.txt"
echo old | tee "$near/x.txt" > "$far/y.txt"

e2e_map_drive a "$near"
e2e_map_drive b "$far"
for t in a_tree b_tree; do e2e_attrib +r "$src/$t/ro.txt" && e2e_attrib +h "$src/$t/hid.txt"; done
e2e_attrib +r "$src/e2.txt"
cp -a "$src" "$ref"
inode() { stat -c %i "$1" 2>/dev/null; }
declare -A before
for n in a_tree e1.txt k1.txt x.txt; do before[$n]=$(inode "$src/$n"); done

# Across file systems the source goes only after the target is complete.
arrived() { diff -r "$ref/$1" "$2/$1" && [ ! -e "$src/$1" ]; }
moved() { e2e_wait "$1 moved whole, its source gone" arrived "$1" "$2"; }

e2e_start "$src" || { echo "FAIL: the program did not start"; exit 1; }
# The left panel goes to A:, the first drive of the list; the right one (source) becomes active.
tv_keys F9 Home Return Tab
# Left: 0keep, x.txt. Right: .., a_tree, b_tree, c_dir, d_dir, e1.txt, e2.txt, k1.txt, k2.txt, x.txt, y.txt.
e2e_cursor_to 1 && tv_keys F6
moved a_tree "$near"
e2e_row_is left 1 "$E2E_CURSOR" "target cursor on a_tree"
e2e_cursor_to 4 && tv_keys F6
moved e1.txt "$near"
e2e_row_is left 2 "$E2E_CURSOR" "target cursor on e1.txt"
e2e_row_is right 4 "$E2E_CURSOR" "source cursor stays on its row"
# Right: .., b_tree, c_dir, d_dir, e2.txt, k1.txt, k2.txt, x.txt, y.txt.
e2e_cursor_to 2 && tv_keys space
e2e_cursor_to 5 && tv_keys space
tv_keys F6
moved c_dir "$near"
moved k1.txt "$near"
e2e_row_is left 4 "$E2E_CURSOR" "target cursor on k1.txt, the last item moved"

# Right: .., b_tree, d_dir, e2.txt, k2.txt, x.txt, y.txt; the cursor on x.txt. With marks left
# over, F6 would move them instead of asking.
for answer in Return Escape; do
  tv_keys F6
  e2e_expect_pixel 984 640 "#FFFFFF" "overwrite question opens with NO selected"
  tv_keys "$answer"
  e2e_main_view "question closed by $answer"
  e2e_expect "$(cat "$near/x.txt") $(cat "$src/x.txt")" "old new" "both files kept after $answer"
done
tv_keys F6 Left
e2e_expect_pixel 800 640 "#FFFFFF" "Left selects YES"
tv_keys Return
moved x.txt "$near"
e2e_row_is left 5 "$E2E_CURSOR" "target cursor on x.txt"
# Wine renames between two drive letters on one Linux file system; Windows would answer
# ERROR_NOT_SAME_DEVICE for two drives, and the program would copy.
for n in "${!before[@]}"; do
  e2e_expect "$(inode "$near/$n")" "${before[$n]}" "$n renamed within its file system, not copied"
done

# The left panel goes to B:, the second drive of the list.
tv_keys Tab F9 Home Down Return Tab
# Right: .., b_tree, d_dir, e2.txt, k2.txt, y.txt; the cursor on y.txt.
e2e_cursor_to 1 && tv_keys F6
moved b_tree "$far"
e2e_row_is left 1 "$E2E_CURSOR" "target cursor on b_tree"
e2e_expect "$(e2e_attrib "$far/b_tree/ro.txt") $(e2e_attrib "$far/b_tree/hid.txt")" "R H" "read-only and hidden travel"
e2e_cursor_to 2 && tv_keys F6
moved e2.txt "$far"
e2e_expect "$(e2e_attrib "$far/e2.txt")" R "a read-only file arrives read-only"
# Right: .., d_dir, k2.txt, y.txt.
e2e_cursor_to 1 && tv_keys space
e2e_cursor_to 2 && tv_keys space
tv_keys F6
moved d_dir "$far"
moved k2.txt "$far"
e2e_row_is left 4 "$E2E_CURSOR" "target cursor on k2.txt"
# Right: .., y.txt; the cursor kept its row as far as the shorter list allows.
E2E_ROW=1
e2e_row_is right 1 "$E2E_CURSOR" "source cursor on the last row"
tv_keys F6 Left Return
moved y.txt "$far"
e2e_row_is left 5 "$E2E_CURSOR" "target cursor on y.txt"
e2e_expect "$(find "$src" "$near" "$far" -name '.torvanecommander_tmp_*')" "" "no temporary item left"

tv_keys F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_finish
