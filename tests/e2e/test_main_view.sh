#!/usr/bin/env bash
# The real program under Xvfb, driven by real key events: Tab, Down, Space, Ctrl+Down (which only
# real keyboard state can show), and F10's exit code.
source "$(dirname "$0")/lib.sh" "$1" "$2"

folder="$E2E_WORK/files"
mkdir -p "$folder/sub"
for n in a b c d; do echo "$n" > "$folder/$n.txt"; done

e2e_start "$folder" || { echo "FAIL: the program did not start"; exit 1; }
# Teal scheme at 1920 x 1080. Right panel rows (from y 162, 36 each): .., sub, a.txt, b.txt, c.txt, d.txt
tv_keys Tab Down
e2e_expect_pixel 972 500 "#FFFFFF" "right panel frame active after Tab"
e2e_expect_pixel 1877 216 "#FFE600" "cursor on the second row"

tv_keys Down space Down ctrl+Down
e2e_expect_pixel 1877 324 "#FFE600" "Ctrl+Down moved the cursor to c.txt"
# Marked rows are the mean of the bar colour and the panel colour.
e2e_expect_pixel 1877 252 "#7FBE4B" "a.txt marked with Space"
e2e_expect_pixel 1877 288 "#7FBE4B" "b.txt marked with Ctrl+Down"
e2e_expect_pixel 1877 360 "#009696" "d.txt not marked"

tv_keys F10
if tv_wait_exit 10; then e2e_expect "$TV_EXIT" 0 "F10 ends the program with code 0"; else e2e_expect "running" "ended" "F10 ends the program"; fi
e2e_expect "$(stat -c %s "$E2E_WORK/torvanecommander.cset" 2>/dev/null || echo missing)" 44 "settings file written beside the program"
e2e_finish
