#!/usr/bin/env bash
# A settings change in the real program is on disk at once and on screen after a restart.
source "$(dirname "$0")/lib.sh" "$1" "$2"

folder="$E2E_WORK/files"
mkdir -p "$folder"
settings="$E2E_WORK/torvanecommander.cset"

e2e_start "$folder" || { echo "FAIL: the program did not start"; exit 1; }
e2e_expect_field "$settings" 16 0 "fresh settings file has the TEAL scheme"

# F11, Down, Enter: the background steps to DARK TEAL; Up, Enter: the language to German.
tv_keys F11 Down Return
e2e_expect_pixel 500 60 "#005F5F" "window background follows at once"
e2e_expect_field "$settings" 16 1 "settings file holds the new background"
tv_keys Up Return
e2e_expect_field "$settings" 12 1 "settings file holds German"
tv_keys Escape F10
tv_wait_exit 10 || e2e_expect "running" "ended" "F10 ends the program"

e2e_start "$folder" || { echo "FAIL: the program did not restart"; exit 1; }
e2e_expect_pixel 500 60 "#005F5F" "new background after a restart"
e2e_expect_field "$settings" 12 1 "German kept across the restart"
tv_keys F10
tv_wait_exit 10 || true
e2e_finish
