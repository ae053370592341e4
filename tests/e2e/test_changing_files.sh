#!/usr/bin/env bash
# Files that another program changes under the real program. The sources lie on /dev/shm, drive A:
# on another file system, drive B: on the same one.
# - A file another Windows program holds open for writing, sharing nothing: F5, F6 within the file
#   system and F6 across file systems each report 32 and change nothing.
# - A file of a tree changed after it was copied and before the move across file systems deletes
#   its source: it stays in the source, the move says so, the rest of the tree is moved.
# - The target folder deleted during a marked copy: one report, and nothing left behind.
source "$(dirname "$0")/lib.sh" "$1" "$2"

e2e_scratch_in shm /dev/shm
src="$shm/src" near="$shm/near" dst="$E2E_WORK/dst" ref="$E2E_WORK/ref"
mkdir -p "$src/tree" "$near" "$dst"
truncate -s 400M "$src/tree/a.bin"  # sparse: read at once, written for a while
echo "as copied" > "$src/tree/b.txt"  # copied between the two large files
truncate -s 400M "$src/tree/c.bin"
head -c 200000000 /dev/urandom > "$src/big.bin"
echo held > "$src/held.txt" && echo k > "$src/k.txt"
cp -a "$src" "$ref"
e2e_map_drive a "$dst"
e2e_map_drive b "$near"
message_box() {  # WHAT SHOT
  e2e_expect_pixel 490 415 "#00A5A5" "$1"
  echo "screenshot: $(e2e_shot "changing-$2")"
  tv_keys Return
  e2e_main_view "message box closed"
}
unchanged() { e2e_expect "$(diff -r "$ref" "$src" && find "$dst" "$near" -mindepth 1)" "" "$1"; }

e2e_start "$src" || { echo "FAIL: the program did not start"; exit 1; }
# Another Windows program holds held.txt open until it is ended; its .ran says it does.
cp "$(dirname "$1")/tests/ops/marker_program.exe" "$shm/"
(cd "$src" && exec "$e2e_root/scripts/wine-exec.sh" "$e2e_prefix" "$shm/marker_program.exe" held.txt </dev/null >/dev/null 2>&1) &
holder=$!
e2e_wait "another program holds held.txt open" test -e "$shm/marker_program.exe.ran"
# The left panel goes to A:, the right one (src) becomes active: .., tree, big.bin, held.txt, k.txt.
tv_keys F9 Home Return Tab
e2e_cursor_to 3 && tv_keys F5
message_box "F5 of a file held open: a message box" copy-held
unchanged "F5 changed nothing"
tv_keys F6
message_box "F6 across file systems" move-held
unchanged "F6 across file systems changed nothing"
tv_keys Tab F9 Home Down Return Tab F6
message_box "F6 within the file system" rename-held
unchanged "F6 within the file system changed nothing"
kill -KILL "$holder" && wait "$holder" 2>/dev/null

# The temporary tree holds b.txt whole while the second large file is still on its way.
tv_keys Tab F9 Home Return Tab
e2e_cursor_to 1 && tv_keys F6
b_copied() { cmp -s "$ref/tree/b.txt" "$(e2e_temporaries "$dst" | head -n 1)/b.txt"; }
for i in $(seq 1 3000); do b_copied && break; done
e2e_wait "b.txt copied, the move under way" b_copied && echo "changed" >> "$src/tree/b.txt"
message_box "the move stops at the changed file" changed
e2e_expect "$(diff -r "$ref/tree" "$dst/tree" && echo whole)" whole "the tree arrived whole, b.txt as copied"
e2e_expect "$(ls -A "$src/tree" | tr '\n' ' ')$(tail -n 1 "$src/tree/b.txt")" "b.txt changed" \
  "only the changed b.txt stays in the source"
rm -rf "$dst/tree"

# Rows: .., tree, big.bin, held.txt, k.txt.
e2e_cursor_to 2 && tv_keys space
e2e_cursor_to 4 && tv_keys space
tv_keys F5
copying() { [ -n "$(e2e_temporaries "$dst")" ]; }
e2e_wait "the marked copy under way" copying && rm -rf "$dst"
message_box "one message box for the deleted target" target-gone
e2e_expect "$(ls -d "$dst" 2>/dev/null; e2e_temporaries "$E2E_WORK" "$shm")" "" "nothing left behind"
tv_keys F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_finish
