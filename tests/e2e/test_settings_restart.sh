#!/usr/bin/env bash
# A settings change in the real program is written beside it and shown again after a restart.
source "$(dirname "$0")/lib.sh" "$1" "$2"

folder="$E2E_WORK/files"
mkdir -p "$folder"

e2e_start "$folder" || { echo "FAIL: the program did not start"; exit 1; }
e2e_expect_pixel 500 60 "#008080" "TEAL window background at the first start"
# F11, Down, Enter: the background steps to DARK TEAL.
tv_keys F11 Down Return
e2e_expect_pixel 500 60 "#005F5F" "window background follows at once"
tv_keys Escape F10
tv_wait_exit 10 || e2e_expect "running" "ended" "F10 ends the program"

e2e_start "$folder" || { echo "FAIL: the program did not restart"; exit 1; }
e2e_expect_pixel 500 60 "#005F5F" "new background after a restart"
tv_keys F10
tv_wait_exit 10 || true
e2e_finish
