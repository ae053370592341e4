#!/usr/bin/env bash
# The real program under Xvfb: panels at their places, Tab, Down, Space, Ctrl+Down, Right, F10.
source "$(dirname "$0")/lib.sh" "$1" "$2"

folder="$E2E_WORK/files"
mkdir -p "$folder/sub"
for n in a b c d; do echo "$n" > "$folder/$n.txt"; done

e2e_start "$folder" || { echo "FAIL: the program did not start"; exit 1; }
shot=$(e2e_shot start)
# Teal scheme at 1920 x 1080: left panel 24..948 active (white frame), right 972..1896 inactive.
e2e_expect_pixel "$shot" 5 5 "#007676" "title band"
e2e_expect_pixel "$shot" 500 60 "#008080" "window background between band and panels"
e2e_expect_pixel "$shot" 24 500 "#FFFFFF" "active left panel frame"
e2e_expect_pixel "$shot" 972 500 "#000000" "inactive right panel frame"
e2e_expect_pixel "$shot" 600 900 "#009696" "left panel interior"
e2e_expect_pixel "$shot" 1877 180 "#FFE600" "right panel cursor on the first row"
e2e_expect_pixel "$shot" 160 1021 "#FFFFFF" "F1 button highlighted"
e2e_expect_pixel "$shot" 300 1021 "#00AAAA" "F2 button plain"

# Right panel rows (from y 162, 36 each): .., sub, a.txt, b.txt, c.txt, d.txt
tv_keys Tab Down
shot=$(e2e_shot tab-down)
e2e_expect_pixel "$shot" 24 500 "#000000" "left frame after Tab"
e2e_expect_pixel "$shot" 972 500 "#FFFFFF" "right frame after Tab"
e2e_expect_pixel "$shot" 1877 216 "#FFE600" "cursor on the second row"
e2e_expect_pixel "$shot" 1877 180 "#009696" "first row plain again"

tv_keys Down space Down ctrl+Down
shot=$(e2e_shot marks)
# Marked rows are the mean of the bar colour and the panel colour.
e2e_expect_pixel "$shot" 1877 252 "#7FBE4B" "a.txt marked with Space"
e2e_expect_pixel "$shot" 1877 288 "#7FBE4B" "b.txt marked with Ctrl+Down"
e2e_expect_pixel "$shot" 1877 324 "#FFE600" "cursor on c.txt, marked, shows the bar"
e2e_expect_pixel "$shot" 1877 360 "#009696" "d.txt not marked"

tv_keys Right
shot=$(e2e_shot bar)
e2e_expect_pixel "$shot" 300 1021 "#FFFFFF" "F2 highlighted after Right"
e2e_expect_pixel "$shot" 160 1021 "#00AAAA" "F1 plain after Right"

tv_keys F10
if tv_wait_exit 10; then e2e_expect "$TV_EXIT" 0 "F10 ends the program with code 0"; else e2e_expect "running" "ended" "F10 ends the program"; fi
[ -f "$E2E_WORK/torvanecommander.cset" ] && e2e_expect "$(stat -c %s "$E2E_WORK/torvanecommander.cset")" 44 "settings file written beside the program"
e2e_finish
