#!/usr/bin/env bash
# F2, F7 and Enter on a file in the real program: a rename lands on disk only after YES, refused
# names and unchanged names leave the folder alone, F7 makes a folder once, Enter opens a document
# with its associated application and runs a batch file only after YES.
source "$(dirname "$0")/lib.sh" "$1" "$2"

dir="$E2E_WORK/files"
mkdir -p "$dir"
for n in memo memo1 notes; do echo "$n" > "$dir/$n.txt"; done
win() { local p="Z:$1"; echo "${p//\//\\}"; }
printf 'echo ran> %s\r\n' "$(win "$E2E_WORK/ran.txt")" > "$dir/go.bat"

# The test's own association for .txt; the command copies the opened file as its proof. Windows
# would also read it from HKCU\Software\Classes, Wine 8 reads only HKCR, so it goes there: the test
# prefix has no .txt association of its own.
reg() { WINEPREFIX="$e2e_prefix" "$WINE_LOADER" reg.exe "$@" </dev/null >/dev/null 2>&1; }
drop_association() { reg delete 'HKCR\.txt' /f; reg delete 'HKCR\TorvaneTestDoc' /f; }
trap 'drop_association; e2e_cleanup' EXIT
reg add 'HKCR\.txt' /ve /d TorvaneTestDoc /f &&
  reg add 'HKCR\TorvaneTestDoc\shell\open\command' /ve /f /d "cmd.exe /c copy \"%1\" $(win "$E2E_WORK/opened.txt")" ||
  { echo "FAIL: could not register the .txt association"; exit 1; }

# Names, types and inodes: a rename back and forth would show.
state() { (cd "$dir" && find . -printf '%p %y %i\n' | sort); }
type_text() { xdotool type --delay 50 "$1"; }
backspaces() { local i; for ((i = 0; i < $1; i++)); do tv_keys BackSpace; done; }
rename_open() { e2e_expect_pixel 1290 600 "#FFFFFF" "$1"; }
folder_open() { e2e_expect_pixel 1250 530 "#FFFFFF" "$1"; }
# Wine hands the keyboard to the console window of the started command and, once that closes, to
# no window at all; a click gives it back to the program.
other_windows() {
  xdotool search --name . 2>/dev/null | while read -r w; do
    case "$(xdotool getwindowname "$w")" in "Default IME" | "$TV_TITLE") ;; *) echo "$w" ;; esac
  done
}
no_other_window() { [ -z "$(other_windows)" ]; }
# Keys sent before the click has landed are lost, so a Tab must show (the left panel's frame turns
# white) before the test goes on; a second Tab makes the right panel active again.
left_active() { [ "$(tv_screen_pixel 24 500)" = "#FFFFFF" ]; }
refocus() {
  local i j
  e2e_wait "$1" no_other_window
  for i in $(seq 1 20); do
    xdotool mousemove 960 20 click 1
    sleep 0.2
    tv_keys Tab
    for j in $(seq 1 10); do
      left_active && { tv_keys Tab; e2e_expect_pixel 972 500 "#FFFFFF" "the program has the keyboard again"; return 0; }
      sleep 0.1
    done
  done
  echo "FAIL: the program did not get the keyboard back"
  e2e_failures=$((e2e_failures + 1))
}

e2e_start "$dir" || { echo "FAIL: the program did not start"; exit 1; }
# The right panel shows the start folder: .., go.bat, memo.txt, memo1.txt, notes.txt.
tv_keys Tab
e2e_cursor_to 2 && tv_keys F2
rename_open "F2 opens the name input"
# Only the extension goes: the rest of the old name must be in the input already.
backspaces 4 && type_text "2.txt" && tv_keys Return
e2e_expect_pixel 984 640 "#FFFFFF" "the rename question opens with NO selected"
tv_keys Left
e2e_expect_pixel 800 640 "#FFFFFF" "Left selects YES"
tv_keys Return
renamed() { [ ! -e "$dir/memo.txt" ] && [ "$(cat "$dir/memo2.txt")" = memo ]; }
e2e_wait "memo.txt renamed to memo2.txt with its contents" renamed
# .., go.bat, memo1.txt, memo2.txt, notes.txt: the cursor follows the name one row down.
E2E_ROW=3
e2e_row_is right 3 "$E2E_CURSOR" "cursor on memo2.txt"

# F2 on memo2.txt: backspaces, text, keys, and whether the input stays open.
before=$(state)
while IFS='|' read -r what erase text keys stays <&3; do
  tv_keys F2
  backspaces "$erase"
  [ -n "$text" ] && type_text "$text"
  tv_keys $keys
  if [ "$stays" = yes ]; then rename_open "$what keeps the input open"; tv_keys Escape; fi
  e2e_main_view "back in the main view after $what"
  e2e_expect "$(state)" "$before" "nothing renamed after $what"
done 3<<'EOF'
an invalid name|0|:b|Return|yes
an existing name|5|1.txt|Return|yes
the unchanged name|0||Return|no
a change of case only|9|MEMO2.TXT|Return|no
Enter on the preselected NO|5|3.txt|Return Return|no
EOF

tv_keys F7 && type_text "newdir" && tv_keys Return
e2e_wait "F7 created newdir" test -d "$dir/newdir"
# .., newdir, go.bat, memo1.txt, memo2.txt, notes.txt
E2E_ROW=1
e2e_row_is right 1 "$E2E_CURSOR" "cursor on newdir"
before=$(state)
tv_keys F7 && type_text "notes.txt" && tv_keys Return
folder_open "the name of an existing file keeps the folder input open"
e2e_expect "$(state)" "$before" "no folder made over notes.txt"
tv_keys Escape
e2e_main_view "ESC closes the folder input"

# A cursor move also takes the focus off the function bar, where F7 left it.
e2e_cursor_to 5 && tv_keys Return
e2e_wait "Enter on notes.txt opened it with its application" cmp "$dir/notes.txt" "$E2E_WORK/opened.txt"
refocus "the console of the .txt command closed"
e2e_main_view "no message box after opening notes.txt"

e2e_cursor_to 2 && tv_keys Return
e2e_expect_pixel 984 640 "#FFFFFF" "Enter on go.bat asks first, NO selected"
tv_keys Return
e2e_main_view "NO closes the question"
sleep 2
e2e_expect "$(ls "$E2E_WORK/ran.txt" 2>/dev/null)" "" "go.bat not run after NO"
tv_keys Return Left Return
ran() { [ "$(tr -d '\r' < "$E2E_WORK/ran.txt")" = ran ]; }
e2e_wait "go.bat ran after YES" ran
e2e_expect "$(state)" "$before" "opening and running changed no item of the folder"

refocus "the console of go.bat closed"
tv_keys F10
tv_wait_exit 10 || e2e_expect running ended "F10 ends the program"
e2e_finish
