#!/usr/bin/env bash
# Settings, drive list, help and info screens in the real program: each opens and closes with its
# keys, and a settings change is on disk at once and on screen after a restart.
source "$(dirname "$0")/lib.sh" "$1" "$2"

folder="$E2E_WORK/files"
mkdir -p "$folder"
for n in 01 02 03 04 05 06 07 08 09 10 11 12; do echo "$n" > "$folder/file$n.txt"; done
settings="$E2E_WORK/torvanecommander.cset"

e2e_start "$folder" || { echo "FAIL: the program did not start"; exit 1; }
e2e_expect "$(e2e_settings_field "$settings" 16)" 0 "fresh settings file has the TEAL scheme"

# F11, Down, Enter: the background steps to DARK TEAL and is saved at once.
tv_keys F11
shot=$(e2e_shot settings)
e2e_expect_pixel "$shot" 625 285 "#00A5A5" "settings box (680 x 520 at 620, 280)"
e2e_expect_pixel "$shot" 657 375 "#FFFFFF" "first settings row highlighted"
tv_keys Down Return
shot=$(e2e_shot settings-changed)
e2e_expect_pixel "$shot" 500 60 "#005F5F" "window background follows at once"
e2e_expect "$(e2e_settings_field "$settings" 16)" 1 "settings file holds the new background"
tv_keys Up Return
e2e_expect "$(e2e_settings_field "$settings" 12)" 1 "one language step writes German"
tv_keys Return Return Return
e2e_expect "$(e2e_settings_field "$settings" 12)" 0 "four language steps return to English"
tv_keys Escape
shot=$(e2e_shot settings-closed)
e2e_expect_pixel "$shot" 625 285 "#007878" "settings box gone after ESC"
tv_keys F10
tv_wait_exit 10 || true

e2e_start "$folder" || { echo "FAIL: the program did not restart"; exit 1; }
shot=$(e2e_shot restarted)
e2e_expect_pixel "$shot" 500 60 "#005F5F" "new background after a restart"

# Help: F1 opens, ESC closes, F1 toggles.
tv_keys F1
shot=$(e2e_shot help)
e2e_expect_pixel "$shot" 283 230 "#E0E0E0" "help table first row (box 1440 x 810 at 240, 135)"
tv_keys Escape
shot=$(e2e_shot help-closed)
e2e_expect_pixel "$shot" 283 230 "#007878" "help closed with ESC"
tv_keys F1 F1
shot=$(e2e_shot help-f1)
e2e_expect_pixel "$shot" 283 230 "#007878" "help closed with F1"

# Info: F12 opens, ESC closes, F12 toggles.
tv_keys F12
shot=$(e2e_shot info)
e2e_expect_pixel "$shot" 600 343 "#D2D2D2" "info terms panel (box 718 high)"
tv_keys Escape F12 F12
shot=$(e2e_shot info-closed)
e2e_expect_pixel "$shot" 600 343 "#007878" "info closed with ESC and with F12"

# Drives: the right panel (the file folder, Z:) is active; F9 preselects Z:, Up picks C:, Enter opens it.
tv_keys Tab F9
shot=$(e2e_shot drives)
e2e_expect_pixel "$shot" 520 700 "#D2D2D2" "drive list area (960 x 540 at 480, 270)"
tv_keys Up Return
shot=$(e2e_shot drive-opened)
e2e_expect_pixel "$shot" 520 700 "#007878" "drive list closed"
# Row 8 of the right panel (y 450..486) held file08.txt; C:\ has only five folders.
e2e_expect "$(e2e_colours "$shot" 1000 452 400 30)" 1 "right panel shows C:\\ (row 8 empty)"
tv_keys F10
tv_wait_exit 10 || true
e2e_finish
