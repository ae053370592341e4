#!/usr/bin/env bash
# Kills the real program at random instants of its operations and checks what is left on disk:
#   crash.sh EXE PREFIX KILLS SEED [OPERATION...]   (all of them when none is named)
# Each operation runs once to the end first, to measure how long it takes; then every round starts
# the program on the sandbox the last kill left (which proves it starts and lists both panels),
# runs one operation, SIGKILLs the Wine process after a seeded delay drawn across that duration,
# and checks from Linux before anything runs again:
# - a copied item under its final name is absent, the old bytes or the whole new ones;
# - a moved or binned item is whole in its source or whole where it went, never in neither;
# - the edited file is its old or its new bytes, its .bak the previous one, absent or the old bytes;
# - the settings file is the old record or a valid new one;
# - nothing else is left but the program's own temporary items, which are counted and removed.
# A kill "lands inside" when a temporary item is present, or (for operations that make none) the
# folders are neither as they were nor as they end.
source "$(dirname "$0")/lib.sh" "$1" "$2"
kills=$3 seed=$4
shift 4
RANDOM=$seed
unset DISPLAY  # a display of its own

w=$E2E_WORK ref="$E2E_WORK/ref"
e2e_scratch_in far /dev/shm
mkdir -p "$ref/src/m2/deep" "$ref/src/tree/a/b" "$ref/old" "$w/near"
head -c 64000000 /dev/urandom > "$ref/src/big.bin"
head -c 128000000 /dev/urandom > "$ref/src/f.bin"
head -c 16000000 /dev/urandom > "$ref/src/m1.bin"
for i in $(seq 1 24); do head -c 500000 /dev/urandom > "$ref/src/tree/a/t$i.bin"; done
for i in 1 2 3; do head -c 2000000 /dev/urandom > "$ref/src/tree/a/b/u$i.bin"; done
mkdir "$ref/src/tree/empty"
echo deep > "$ref/src/m2/deep/in.txt" && head -c 4000000 /dev/urandom > "$ref/src/m2/m.bin"
echo three > "$ref/src/m3.txt"
seq 1 40000 | sed 's/$/ line/' | head -c 262144 > "$ref/src/e.txt"
echo "an older backup" > "$ref/src/e.txt.bak"
{ printf x; cat "$ref/src/e.txt"; } > "$ref/new-e.txt"
echo "the old target" > "$ref/old/big.bin"
e2e_map_drive a "$w/near"
e2e_map_drive b "$far"
export TORVANE_XDG_DATA_HOME="$w/xdg"
bin="$w/xdg/Trash/files"
settings="$w/torvanecommander.cset"

# The sandbox as every operation finds it; sources are hard links to the fixtures (the program
# never writes a source), the edited file and its .bak are copies.
reset() {
  rm -rf "$w/src" "$w/near" "$w/xdg/Trash" && mkdir -p "$w/near" "$bin" && find "$far" -mindepth 1 -delete
  cp -al "$ref/src" "$w/src" && rm "$w/src/e.txt" "$w/src/e.txt.bak" && cp -p "$ref/src/e.txt"* "$w/src/"
  cp "$ref/old/big.bin" "$w/near/"
  settings_before=$(md5sum 2>/dev/null < "$settings")
}
names() { find "$w" "$w/src" "$w/near" "$far" "$bin" -maxdepth 1 -printf '%p %s\n' 2>/dev/null; cksum "$settings" 2>/dev/null; }
listing() { find "$w" "$far" -path "$ref" -prune -o -printf '%p %s\n' | LC_ALL=C sort; }

whole() { diff -rq "$1" "$2" >/dev/null 2>&1; }
# Only files missing from the second against the first: what a deletion interrupted leaves.
part_of() { [ ! -e "$2" ] || ! diff -rq "$1" "$2" 2>&1 | grep -qv "^Only in $1"; }
copied() { local i; for i in "${@:2}"; do whole "$ref/src/$i" "$1/$i" || return 1; done; }
copy_ok() {
  local i
  for i in "${@:2}"; do
    [ ! -e "$1/$i" ] || whole "$ref/src/$i" "$1/$i" || whole "$ref/old/$i" "$1/$i" || { echo "$1/$i is partial"; return 1; }
  done
}
moved() { local i; for i in "${@:2}"; do whole "$ref/src/$i" "$1/$i" && [ ! -e "$w/src/$i" ] || return 1; done; }
move_ok() {
  local i
  for i in "${@:2}"; do
    if whole "$ref/src/$i" "$w/src/$i"; then
      [ ! -e "$1/$i" ] || whole "$ref/src/$i" "$1/$i" || { echo "$1/$i is partial"; return 1; }
    else
      whole "$ref/src/$i" "$1/$i" || { echo "$i is whole neither in the source nor in $1"; return 1; }
      part_of "$ref/src/$i" "$w/src/$i" || { echo "the source $i holds what it did not hold"; return 1; }
    fi
  done
}
edited() { whole "$ref/new-e.txt" "$w/src/e.txt" && whole "$ref/src/e.txt" "$w/src/e.txt.bak"; }
edit_ok() {
  whole "$ref/src/e.txt" "$w/src/e.txt" || whole "$ref/new-e.txt" "$w/src/e.txt" || { echo "e.txt is partial"; return 1; }
  [ ! -e "$w/src/e.txt.bak" ] || whole "$ref/src/e.txt.bak" "$w/src/e.txt.bak" || whole "$ref/src/e.txt" "$w/src/e.txt.bak" ||
    { echo "e.txt.bak is partial"; return 1; }
}
set_ok() { [ "$(md5sum 2>/dev/null < "$settings")" = "$settings_before" ] || e2e_settings_valid "$settings" || { echo "the settings file is damaged"; return 1; }; }
set_done() { [ "$(md5sum 2>/dev/null < "$settings")" != "$settings_before" ] && e2e_settings_valid "$settings"; }

# Source rows: .., m2, tree, big.bin, e.txt, e.txt.bak, f.bin, m1.bin, m3.txt.
ops=(copy_over copy_tree copy_marked move_far_file move_far_tree move_near delete_marked edit settings)
[ $# -eq 0 ] || ops=("$@")
declare -A drive=([move_far_file]=far [move_far_tree]=far) keys done_check ok_check
keys[copy_over]="3 F5 Left Return";       done_check[copy_over]="copied $w/near big.bin";  ok_check[copy_over]="copy_ok $w/near big.bin"
keys[copy_tree]="2 F5";                   done_check[copy_tree]="copied $w/near tree";     ok_check[copy_tree]="copy_ok $w/near tree"
keys[copy_marked]="1 space 7 space 8 space F5"
done_check[copy_marked]="copied $w/near m2 m1.bin m3.txt"; ok_check[copy_marked]="copy_ok $w/near m2 m1.bin m3.txt"
keys[move_far_file]="6 F6";               done_check[move_far_file]="moved $far f.bin";    ok_check[move_far_file]="move_ok $far f.bin"
keys[move_far_tree]="2 F6";               done_check[move_far_tree]="moved $far tree";     ok_check[move_far_tree]="move_ok $far tree"
keys[move_near]="2 F6";                   done_check[move_near]="moved $w/near tree";      ok_check[move_near]="move_ok $w/near tree"
keys[delete_marked]="1 space 7 space 8 space F8 Left Return"
done_check[delete_marked]="moved $bin m2 m1.bin m3.txt"; ok_check[delete_marked]="move_ok $bin m2 m1.bin m3.txt"
keys[edit]="4 F4 type:x F2 Return";       done_check[edit]=edited;                         ok_check[edit]=edit_ok
keys[settings]="F11 Down Return";         done_check[settings]=set_done;                   ok_check[settings]=set_ok

# Starts the program, checks that both panels list, points the left one at the operation's target
# drive and the right one (the sandbox's src) at work, and sends the operation's keys.
start_op() {
  local k
  pushd "$w/src" >/dev/null && tv_start "$e2e_prefix" "$E2E_EXE" && popd >/dev/null
  tv_wait_window && tv_wait_paint || return 1
  listed left || return 1
  [ "${drive[$1]:-near}" = far ] && tv_keys F9 Home Down Return || tv_keys F9 Home Return
  tv_keys Tab
  listed right || return 1
  E2E_ROW=0
  # No pause after the last key: the operation's time starts there.
  for k in ${keys[$1]}; do
    case $k in
      [0-9]) e2e_cursor_to "$k" ;;
      type:*) sleep 0.05; xdotool type "${k#type:}" ;;
      *) sleep 0.05; xdotool key --clearmodifiers "$k" ;;
    esac
  done
}
listed() { local i; for i in $(seq 1 50); do e2e_row_pixel "$1" 0 "$E2E_CURSOR" && return 0; sleep 0.1; done; return 1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
stop_hard() { kill -KILL "$TV_PID" 2>/dev/null; wait "$TV_PID" 2>/dev/null; }

declare -A duration first final n_kills n_inside n_bad n_left
# The run to the end: how long each operation takes, and how the folders look after it.
# The delays are drawn from the last look before a name or a size changed to the end: keys take a while to
# arrive, and a short operation would otherwise be over before the kill or not yet begun.
for op in "${ops[@]}"; do
  reset
  names_before=$(names)
  start_op "$op" || { echo "FAIL: $op: the program did not start or list its panels"; exit 1; }
  began=$(now_ms) first=0
  # A cheap look first, so the first change is seen within a few milliseconds.
  while [ "$(names)" = "$names_before" ] && [ $(($(now_ms) - began)) -lt 3000 ]; do first=$(($(now_ms) - began)); done
  [ "$(names)" != "$names_before" ] || first=0  # over between two looks
  until ${done_check[$op]} && [ -z "$(e2e_temporaries "$w" "$far")" ]; do
    [ $(($(now_ms) - began)) -lt 60000 ] || { echo "FAIL: $op did not finish (screenshot $(e2e_shot "crash-$op"))"; exit 1; }
  done
  duration[$op]=$(($(now_ms) - began)) first[$op]=$first
  stop_hard
  final[$op]=$(listing | md5sum)
  n_kills[$op]=0 n_inside[$op]=0 n_bad[$op]=0 n_left[$op]=0
  echo "measured: $op changes the disk from ${first[$op]} to ${duration[$op]} ms after its last key"
done

summary() {
  local op k total=0
  printf '%-14s %9s %6s %7s %10s %9s\n' operation ms kills inside violations left/100
  bad=0
  for op in "${ops[@]}"; do
    k=${n_kills[$op]}
    printf '%-14s %9s %6d %7d %10d %9s\n' "$op" "${first[$op]}-${duration[$op]}" "$k" "${n_inside[$op]}" "${n_bad[$op]}" \
      "$([ "$k" -gt 0 ] && echo $((n_left[$op] * 100 / k)) || echo -)"
    bad=$((bad + n_bad[$op])) total=$((total + k))
  done
  echo "seed $seed: $total kills, $bad violation(s); starts that needed a second chance: $slow, a new wineserver: $servers"
}
slow=0 servers=0 previous="the measuring runs"
for round in $(seq 1 "$kills"); do
  op=${ops[RANDOM % ${#ops[@]}]}
  delay=$((first[$op] + (RANDOM * 32768 + RANDOM) % (duration[$op] - first[$op] + 1)))
  reset
  initial=$(listing | md5sum)
  if ! start_op "$op"; then
    # Told apart: a loaded machine may take longer than the wait; a Wine that lost track of the
    # killed process may need its wineserver started again.
    state="running"
    kill -0 "$TV_PID" 2>/dev/null || { wait "$TV_PID"; state="ended with $?"; }
    echo "round $round: no window or panels in time after $previous (the process $state;" \
      "screenshot $(e2e_shot "crash-$round")); starting again"
    stop_hard
    slow=$((slow + 1))
    if ! start_op "$op"; then
      echo "round $round: no window again; the wineserver is started again"
      stop_hard
      WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -k >/dev/null 2>&1; WINEPREFIX="$e2e_prefix" "$WINE_SERVER" -w >/dev/null 2>&1
      servers=$((servers + 1))
      start_op "$op" || { echo "FAIL: round $round: the program did not start again after $previous"; summary; exit 1; }
    fi
  fi
  previous="$op killed after $delay ms"
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  stop_hard
  temps=$(e2e_temporaries "$w" "$far")
  left=$(printf '%s' "$temps" | grep -c .)
  state=$(listing | md5sum)
  n_kills[$op]=$((n_kills[$op] + 1))
  n_left[$op]=$((n_left[$op] + left))
  [ "$left" -gt 0 ] || { [ "$state" != "$initial" ] && [ "$state" != "${final[$op]}" ]; } && n_inside[$op]=$((n_inside[$op] + 1))
  if ! why=$(${ok_check[$op]}); then
    n_bad[$op]=$((n_bad[$op] + 1))
    echo "VIOLATION: round $round, $op killed after $delay ms: $why"
    cp -a "$w" "$w.round-$round" 2>/dev/null && echo "  sandbox kept in $w.round-$round"
  fi
  [ -z "$temps" ] || rm -rf $temps
  [ $((round % 50)) -eq 0 ] && echo "after $round kills: $(date +%T)"
done
# A last start on what the last kill left.
reset
start_op settings >/dev/null || { echo "FAIL: the program did not start after the last kill"; summary; exit 1; }
stop_hard

summary
[ $bad -eq 0 ]
