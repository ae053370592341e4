# Shared set-up of the end-to-end tests: a scratch folder with a copy of the program (so its
# settings file lands there), the app driver, and checks that print what differed.
#   source lib.sh EXE PREFIX
set -u
e2e_exe_source=$1
e2e_prefix=$2
e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_root/scripts/app-driver.sh"

E2E_WORK=$(mktemp -d /tmp/tv-e2e.XXXXXX)
E2E_EXE="$E2E_WORK/TorvaneCommander.exe"
cp "$e2e_exe_source" "$E2E_EXE"
E2E_SHOTS="$(dirname "$e2e_exe_source")/e2e-screens"
mkdir -p "$E2E_SHOTS"
e2e_failures=0

e2e_cleanup() {
  tv_stop
  rm -rf "$E2E_WORK"
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
