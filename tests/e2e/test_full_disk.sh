#!/usr/bin/env bash
# A full disk (drive A: on an 8 MiB tmpfs, another file system than the sources) in the real
# program: a copy larger than the free space, the same over an existing target answered YES, a
# tree that fills the disk half way and a move across file systems each end in a message box and
# leave no temporary item, nothing under the final name, the old target and the source whole, and
# the free space as it was. Then the disk is filled to the last block: a refused save keeps the file,
# its .bak and the editor's change; a settings change keeps the old record and the program running.
source "$(dirname "$0")/lib.sh" "$1" "$2"

src="$E2E_WORK/src" ref="$E2E_WORK/ref" disk="$E2E_WORK/disk"
e2e_small_disk "$disk" 8m
mkdir -p "$src/tree" "$disk/a" "$ref"
for f in big mv over; do head -c 6000000 /dev/urandom > "$src/$f.bin"; done
for i in 1 2 3 4; do head -c 1500000 /dev/urandom > "$src/tree/t$i.bin"; done
seq 1 3000 > "$disk/a/doc.txt" && echo older > "$disk/a/doc.txt.bak"
echo "the old target" > "$disk/a/over.bin"
head -c 4000000 /dev/zero > "$disk/a/zfill"  # about 4 MB stay free
cp -a "$src" "$disk/a" "$ref/"
e2e_map_drive a "$disk/a"
no_temporary() { e2e_expect "$(e2e_temporaries "$disk")" "" "$1: no temporary item left"; }
kept() { e2e_expect "$(diff -r "$ref/$1" "$2" && echo same)" same "$3"; }
message_box() {  # WHAT SHOT
  e2e_expect_pixel 490 415 "#00A5A5" "$1"
  echo "screenshot: $(e2e_shot "full-disk-$2")"
  tv_keys Return
  e2e_main_view "message box closed"
}
fill_up() { head -c 8000000 /dev/zero > "$disk/$1" 2>/dev/null; e2e_expect "$(e2e_free "$disk")" 0 "the disk is full"; }

e2e_start "$src" || { echo "FAIL: the program did not start"; exit 1; }
# The left panel goes to A:, the right one (src) becomes active: .., tree, big.bin, mv.bin, over.bin.
tv_keys F9 Home Return Tab
free=$(e2e_free "$disk")
e2e_cursor_to 2 && tv_keys F5
message_box "a copy larger than the free space: a message box" copy
e2e_expect "$(ls "$disk/a/big.bin" 2>/dev/null)" "" "nothing under the final name"
no_temporary "copy"
e2e_expect "$(e2e_free "$disk")" "$free" "the free space back where it was"

e2e_cursor_to 4 && tv_keys F5 Left Return
message_box "the same over an existing target answered YES" over
kept a/over.bin "$disk/a/over.bin" "the old target intact"
no_temporary "copy over a target"

e2e_cursor_to 1 && tv_keys F5
message_box "a tree that fills the disk half way" tree
e2e_expect "$(ls "$disk/a/tree" 2>/dev/null)" "" "nothing under the final name"
no_temporary "tree"

e2e_cursor_to 3 && tv_keys F6
message_box "a move across file systems onto the full disk" move
kept src/mv.bin "$src/mv.bin" "the source intact"
e2e_expect "$(ls "$disk/a/mv.bin" 2>/dev/null)" "" "nothing under the final name"
no_temporary "move"
e2e_expect "$(e2e_free "$disk")" "$free" "the free space back where it was"

# Left (A:): doc.txt, doc.txt.bak, over.bin, zfill.
fill_up zfill2
tv_keys Tab F4
e2e_expect_pixel 60 500 "#B0B0B0" "F4 opens doc.txt"
xdotool type --delay 50 "x"
tv_keys F2 Return
e2e_expect_pixel 60 500 "#B0B0B0" "the refused save stays in the editor"
echo "screenshot: $(e2e_shot full-disk-save)"
kept a/doc.txt "$disk/a/doc.txt" "the file as it was"
kept a/doc.txt.bak "$disk/a/doc.txt.bak" "its .bak as it was"
no_temporary "save"
tv_keys Escape
e2e_expect_pixel 960 400 "#00A5A5" "the text is still changed: ESC asks to save"
tv_keys Right Return F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"

# The program's own folder on the small disk, with a settings record written while there was room.
rm "$disk/zfill2" && mkdir "$disk/prog" && cp "$E2E_EXE" "$disk/prog/"
E2E_EXE="$disk/prog/TorvaneCommander.exe"
e2e_start "$src" || { echo "FAIL: the program did not start from the small disk"; exit 1; }
tv_keys F11 Down Return Escape F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_settings_valid "$disk/prog/torvanecommander.cset" && cp "$disk/prog/torvanecommander.cset" "$ref/cset"
fill_up zfill3
e2e_start "$src" || { echo "FAIL: the program did not start on the full disk"; exit 1; }
tv_keys F11 Down Return
new_background() { local p; p=$(tv_screen_pixel 500 60); [ "${p^^}" != "#005F5F" ]; }
e2e_wait "the change shows at once" new_background
tv_keys Escape
kept cset "$disk/prog/torvanecommander.cset" "the old settings kept"
no_temporary "settings"
tv_keys F10
tv_wait_exit 10 && e2e_expect "$TV_EXIT" 0 "the program ran on and ends with F10" || e2e_expect running ended "F10 ends the program"
e2e_finish
