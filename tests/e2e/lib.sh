# Shared set-up of the end-to-end tests: a scratch folder with a copy of the program (so its
# settings file lands there), the app driver, and checks that print what differed.
#   source lib.sh EXE PREFIX
set -u
e2e_exe_source=$1
e2e_prefix=$2
e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_root/scripts/app-driver.sh"
source "$e2e_root/tests/e2e/records.sh"

E2E_WORK=$(mktemp -d /tmp/tv-e2e.XXXXXX)
E2E_EXE="$E2E_WORK/TorvaneCommander.exe"
cp "$e2e_exe_source" "$E2E_EXE"
E2E_SHOTS="$(dirname "$e2e_exe_source")/e2e-screens"
mkdir -p "$E2E_SHOTS"
e2e_failures=0
e2e_links=()    # drive letters mapped by this test
e2e_folders=()  # scratch folders outside $E2E_WORK
e2e_mounts=()   # small file systems mounted by this test

e2e_cleanup() {
  tv_stop
  if [ ${#e2e_links[@]} -gt 0 ]; then
    rm -f "${e2e_links[@]}"
    # So that the next wineserver lists the drives without them; the next test must not meet
    # this one while it shuts down.
    WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -w >/dev/null 2>&1 || true
  fi
  local m
  for m in "${e2e_mounts[@]}"; do umount "$m" 2>/dev/null || umount -l "$m"; done
  rm -rf "$E2E_WORK" "${e2e_folders[@]}"
}
trap e2e_cleanup EXIT

# Starts the program with the given folder as its current folder and waits for the first frame.
e2e_start() {
  pushd "$1" >/dev/null
  tv_start "$e2e_prefix" "$E2E_EXE"
  popd >/dev/null
  tv_wait_window && tv_wait_paint
}

# e2e_expect_pixel X Y #RRGGBB WHAT: waits up to 5 s for the live screen to show that colour there,
# so a check never depends on how long the program took; a failure keeps a screenshot.
e2e_expect_pixel() {
  local got="" i
  for i in $(seq 1 50); do
    got=$(tv_screen_pixel "$1" "$2")
    [ "${got^^}" = "${3^^}" ] && { echo "ok: $4"; return; }
    sleep 0.1
  done
  echo "FAIL: $4: pixel $1,$2 is $got, expected $3 (screenshot kept: $(e2e_shot "failed-$e2e_failures"))"
  e2e_failures=$((e2e_failures + 1))
}

# e2e_wait WHAT COMMAND...: waits up to 30 s for COMMAND to succeed (files on disk, usually).
e2e_wait() {
  local what=$1 i
  shift
  for i in $(seq 1 300); do
    "$@" >/dev/null 2>&1 && { echo "ok: $what"; return 0; }
    sleep 0.1
  done
  "$@"  # once more, to show what it says
  echo "FAIL: $what (screenshot kept: $(e2e_shot "failed-$e2e_failures"))"
  e2e_failures=$((e2e_failures + 1))
  return 1
}

e2e_expect() {
  if [ "$1" = "$2" ]; then echo "ok: $3"; else echo "FAIL: $3: got '$1', expected '$2'"; e2e_failures=$((e2e_failures + 1)); fi
}

e2e_shot() {
  local file="$E2E_SHOTS/$1.png"
  tv_screenshot "$file"
  echo "$file"
}

e2e_finish() {
  [ "$e2e_failures" -eq 0 ] && echo "all checks passed" && exit 0
  echo "$e2e_failures check(s) failed"
  exit 1
}

# e2e_scratch_in VAR BASE: VAR := a new scratch folder under BASE (another file system, say),
# removed on exit.
e2e_scratch_in() {
  printf -v "$1" '%s' "$(mktemp -d "$2/tv-e2e.XXXXXX")"
  e2e_folders+=("${!1}")
}

# e2e_small_disk FOLDER SIZE: a tmpfs of SIZE (8m, say) mounted on FOLDER, unmounted on exit; where
# the machine does not allow the mount the test says so and ends as skipped (ctest: 77).
e2e_small_disk() {
  mkdir -p "$1"
  mount -t tmpfs -o "size=$2" tmpfs "$1" 2>/dev/null || { echo "SKIP: this machine does not allow mounting a tmpfs"; exit 77; }
  e2e_mounts+=("$1")
}
e2e_free() { stat -f -c %a "$1"; }  # free blocks

# e2e_map_drive LETTER FOLDER: drive LETTER: shows FOLDER. Wine lists a drive added to dosdevices
# only once its wineserver restarts, so this restarts it: call it before e2e_start.
e2e_map_drive() {
  local link="$e2e_prefix/dosdevices/$1:"
  [ -d "$e2e_prefix/dosdevices" ] || WINEPREFIX="$e2e_prefix" "$WINE_LOADER" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
  # A link to a folder that is gone, or to another run's scratch folder, was left by an interrupted
  # run (ctest runs these tests one at a time, and a timeout skips the clean-up).
  [ -L "$link" ] && { [ ! -e "$link" ] || [[ "$(readlink "$link")" == */tv-e2e.* ]]; } && rm -f "$link"
  if [ -e "$link" ] || [ -L "$link" ]; then echo "FAIL: drive $1: is already in use in $e2e_prefix"; exit 1; fi
  ln -s "$2" "$link"
  e2e_links+=("$link")
  WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
  WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -w >/dev/null 2>&1 || true
}

# e2e_attrib [+r|+h] FILE: sets, or without a flag reads, the Windows attributes of a Linux path
# through Wine's attrib; reading prints the system, hidden and read-only letters it shows ("HR").
# Wine keeps read-only as the Unix write bits and hidden in the user.DOSATTRIB extended attribute
# (tmpfs has those since Linux 6.6); its attrib applies only one of +r and +h per call.
e2e_attrib() {
  local file="Z:${*: -1}" out
  out=$(WINEPREFIX="$e2e_prefix" "$WINE_LOADER" attrib.exe "${@:1:$#-1}" "${file//\//\\}" </dev/null 2>/dev/null | tr -d '\r')
  [ $# -gt 1 ] && return
  case "$out" in *'Z:\'*) echo "${out%%Z:\\*}" | tr -cd 'SHR' ;; *) echo missing ;; esac
}

# Layout at 1920 x 1080: the last pixel column of each panel's cursor bar, rows of 36 pixels from
# y 162; a pixel between the panels (window background) that every dialog box covers.
E2E_CURSOR="#FFE600"
E2E_MARKED="#7FBE4B"
E2E_PLAIN="#009696"
e2e_row_is() {  # PANEL ROW COLOUR WHAT
  local x=929
  [ "$1" = right ] && x=1877
  e2e_expect_pixel "$x" $((180 + 36 * $2)) "$3" "$4"
}
e2e_main_view() {
  e2e_expect_pixel 960 415 "#008080" "$1"
}

# e2e_cursor_to ROW: moves the active panel's cursor from row E2E_ROW to ROW.
E2E_ROW=0
e2e_cursor_to() {
  while [ "$E2E_ROW" -lt "$1" ]; do tv_keys Down; E2E_ROW=$((E2E_ROW + 1)); done
  while [ "$E2E_ROW" -gt "$1" ]; do tv_keys Up; E2E_ROW=$((E2E_ROW - 1)); done
}

# e2e_row_pixel PANEL ROW COLOUR: true when that row shows that colour now (no waiting, no failure).
e2e_row_pixel() {
  local x=929 got
  [ "$1" = right ] && x=1877
  got=$(tv_screen_pixel "$x" $((180 + 36 * $2)))
  [ "${got^^}" = "${3^^}" ]
}
