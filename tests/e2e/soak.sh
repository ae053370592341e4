#!/usr/bin/env bash
# Random-key soak of the real program: soak.sh EXE KEYS SEED...  (one run of KEYS keys per seed)
# Checks: no crash or hang (a repaint within 2 s at every check point, exit code 0 after F10), the
# canary folder beside the sandbox unchanged, a valid settings record, no temporary item left, no
# growth of GDI objects or kernel handles through the run.
#
# Why no key can reach a file outside the sandbox:
# - The run has a Wine prefix of its own whose one drive, C:, is the sandbox: a fresh copy of a Wine
#   C: drive plus the test files. Z: (the Linux root) and every other drive letter are removed, and
#   the run stops before its first key, and fails at the end, if any other drive appears.
# - The copy holds no program but the services Wine starts itself; the three the start needs (cmd
#   for the boot in wine-exec.sh, wineboot, explorer) are deleted as soon as the window shows. So
#   nothing the program opens or runs can start a shell or a file browser that shows Wine's view
#   of the Linux folders. The links of the copied profile, which lead to the home folder, are
#   deleted before the start.
# - Typed characters never include \ / : ?, so no typed name becomes a \\?\unix or network path.
# - HOME and the recycle bin of this Wine lie in the run folder, beside the sandbox.
set -u
exe=$1 keys=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/app-driver.sh"
source "$here/records.sh"
build=$(cd "$(dirname "$exe")" && pwd)
prefix="$build/wineprefix-soak"
shots="$build/e2e-screens"
# One soak at a time per build: they share the prefix.
exec 8>"$build/soak.lock" && flock 8
TV_PREFIX=$prefix
mkdir -p "$shots"
trap tv_stop EXIT
unset DISPLAY
tv_start_display  # always our own: random keys must never reach a real desktop
server() { WINEPREFIX="$prefix" "$WINE_SERVER" "$@" >/dev/null 2>&1; }

# An older prefix without the font that stands in for Consolas is made again (its drives are gone).
if [ ! -f "$prefix/soak-ready" ] || [ ! -f "$prefix/consolas-replaced" ]; then
  echo "Creating the soak's Wine prefix $prefix (once)..."
  rm -rf "$prefix"
  "$here/../../scripts/wine-exec.sh" "$prefix" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 8>&-
  server -k; server -w
  rm -f "$prefix"/dosdevices/*
  touch "$prefix/soak-ready"
fi

# Texts in several encodings, a read-only file, a hidden one (Wine hides dot names), a nested
# tree, a long name, a path past 260 characters, names Windows makes only through \\?\ (trailing
# dots and spaces; Linux makes them directly), and 240 small files in 20 folders.
make_files() {
  local w="$1/work" i j deep
  mkdir -p "$w/enc" "$w/tree/a/b/c/d/e" "$w/bulk"
  printf 'plain UTF-8 \xc3\xa4\xc3\xb6\xc3\xbc\n%.0s' {1..40} > "$w/enc/utf8.txt"
  { printf '\xef\xbb\xbf'; printf 'with BOM \xe2\x82\xac\r\n%.0s' {1..40}; } > "$w/enc/utf8bom.txt"
  { printf '\xff\xfe'; printf 'wide line %d\r\n' {1..80} | iconv -t UTF-16LE; } > "$w/enc/utf16le.txt"
  { printf '\xfe\xff'; printf 'big endian %d\n' {1..80} | iconv -t UTF-16BE; } > "$w/enc/utf16be.txt"
  printf 'caf\xe9 na\xefve ANSI\r\n%.0s' {1..40} > "$w/enc/ansi.txt"
  printf 'x\0\0\0y%.0s' {1..500} > "$w/enc/binary.txt"
  : > "$w/enc/empty.txt"
  seq 1 60000 | sed 's/$/ a longer line of the big file/' > "$w/enc/big.txt"
  printf '%*s\n' 20000 'one very long line' > "$w/enc/wide.txt"
  echo 'not to be changed' > "$w/readonly.txt" && chmod a-w "$w/readonly.txt"
  echo 'hidden' > "$w/.hidden.txt"
  echo 'deep' > "$w/tree/a/b/c/d/e/deep.txt"
  echo 'long' > "$w/$(printf 'n%.0s' {1..200}).txt"
  deep="$w/tree/$(printf 'x%.0s' {1..60})"
  for i in 1 2 3 4; do deep="$deep/$(printf "$i%.0s" {1..60})"; done
  mkdir -p "$deep" && echo 'past 260' > "$deep/far.txt"
  mkdir "$w/dots.." "$w/space " && echo inside > "$w/dots../in.txt"
  for i in trail. "end " "both. ."; do echo "$i" > "$w/$i"; done
  for i in $(seq -w 1 20); do
    mkdir "$w/bulk/d$i"
    for j in $(seq -w 1 12); do echo "file $i $j" > "$w/bulk/d$i/f$j.txt"; done
  done
}

drives() { ls "$prefix/dosdevices" | grep ':$' | tr '\n' ' '; readlink "$prefix/dosdevices/c:"; }
outside() { (cd "$run/canary" && find . -printf '%p %m %s\n' | sort && find . -type f -exec md5sum {} + | sort) | md5sum; }
pixel() { local p; p=$(tv_screen_pixel "$1" "$2"); echo "${p^^}"; }

# Keys of every screen, Ctrl and Alt chords, and typed characters (no \ / : ?).
nav=(Up Down Up Down Left Right Left Right Tab space Return BackSpace Escape Home End Prior Next Delete
     ctrl+Up ctrl+Down shift+Tab Return Escape)
fkeys=(F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12)
chords=(ctrl+c ctrl+x ctrl+v ctrl+z ctrl+shift+z ctrl+f ctrl+a ctrl+s ctrl+BackSpace ctrl+Home alt+F4 alt+x
        alt+Return alt+Tab alt+space alt+F3 alt+Down ctrl+alt+e shift+F8 ctrl+F5 Insert Pause Menu KP_Add)
chars=({a..z} {0..9} A E Z space period minus underscore comma adiaeresis eacute ssharp)
next_key() {
  local r=$((RANDOM % 100))
  if [ $r -lt 40 ]; then key=${nav[RANDOM % ${#nav[@]}]}
  elif [ $r -lt 55 ]; then key=${fkeys[RANDOM % ${#fkeys[@]}]}
  elif [ $r -lt 70 ]; then key=${chords[RANDOM % ${#chords[@]}]}
  else key=${chars[RANDOM % ${#chars[@]}]}; fi
}

# A window of an odd colour over the program, then away: the program must paint that part again.
repainted() {
  local i
  xmessage -bg '#FE01FD' -geometry 400x300+760+390 ' ' >/dev/null 2>&1 &
  local cover=$!
  for i in $(seq 1 40); do [ "$(pixel 960 540)" = "#FE01FD" ] && break; sleep 0.05; done
  kill "$cover"; wait "$cover" 2>/dev/null
  for i in $(seq 1 20); do [ "$(pixel 960 540)" != "#FE01FD" ] && return 0; sleep 0.1; done
  return 1
}

soak_one() {
  local seed=$1 sent=0 began=$SECONDS problems=() key before
  run="$build/soak-$seed" RANDOM=$seed
  local log="$run/keys.log"
  server -k; server -w
  rm -rf "$run" && mkdir -p "$run/home" "$run/xdg" "$run/canary"
  cp -a "$prefix/drive_c" "$run/c"
  find "$run/c" -type l -delete
  find "$run/c" -iname '*.exe' ! -regex '.*/system32/\(cmd\|wineboot\|explorer\|services\|winedevice\|plugplay\|rpcss\|svchost\)\.exe' -delete
  make_files "$run/c"
  mkdir -p "$run/c/Program Files/Torvane" && cp "$exe" "$run/c/Program Files/Torvane/"
  printf 'canary %s\n' {1..50} > "$run/canary/a.txt" && mkdir "$run/canary/sub" && echo x > "$run/canary/sub/b.txt"
  before=$(outside)
  ln -sfn "$run/c" "$prefix/dosdevices/c:"
  (cd "$run/c/work" && HOME="$run/home" TORVANE_XDG_DATA_HOME="$run/xdg" exec "$here/../../scripts/wine-exec.sh" \
    "$prefix" 'C:\Program Files\Torvane\TorvaneCommander.exe' --resource-counts 'C:\Program Files\Torvane\counts.txt' \
    </dev/null >/dev/null 2>&1 8>&-) &
  TV_PID=$!
  tv_wait_window && tv_wait_paint || { echo "FAIL: seed $seed: the program did not start"; return 1; }
  [ "$(drives)" = "c: $run/c" ] || { tv_stop; echo "FAIL: seed $seed: drives other than the sandbox: $(drives)"; return 1; }
  rm -f "$run/c/windows/system32/"{cmd,wineboot,explorer}.exe
  : > "$log"
  while [ $sent -lt "$keys" ]; do
    next_key
    case $key in  # F10 ends the program in the main view, and so does Enter on the F10 button
      alt+F4) continue ;;  # the system's close request: it ends the program unless the editor asks first
      *F10) [ "$(pixel 60 500)" = "#B0B0B0" ] || continue ;;
      *Return) [ "$(pixel 1440 1024)" = "#FFFFFF" ] && continue ;;
    esac
    xdotool key --clearmodifiers "$key"
    echo "$key" >> "$log"
    sent=$((sent + 1))
    sleep 0.03
    if [ $((sent % 100)) -eq 0 ] || [ $sent -eq "$keys" ]; then
      kill -0 "$TV_PID" 2>/dev/null || { problems+=("the program ended after key $sent"); break; }
      repainted || { problems+=("no repaint within 2 s after key $sent"); break; }
    fi
  done
  if [ ${#problems[@]} -eq 0 ]; then
    for i in 1 2 3 4 5; do xdotool key --clearmodifiers Escape Escape Escape F10; tv_wait_exit 3 && break; done
    kill -0 "$TV_PID" 2>/dev/null && problems+=("F10 did not end the program")
    [ "${TV_EXIT:-0}" -eq 0 ] || problems+=("exit code $TV_EXIT")
  fi
  [ "$(drives)" = "c: $run/c" ] || problems+=("drives other than the sandbox: $(drives)")
  [ "$(outside)" = "$before" ] || problems+=("the canary folder beside the sandbox changed")
  e2e_settings_valid "$run/c/Program Files/Torvane/torvanecommander.cset" || problems+=("the settings file is not a valid record")
  local left
  left=$(e2e_temporaries "$run/c")
  [ -z "$left" ] || problems+=("temporary items left: $left")
  local counts="$run/c/Program Files/Torvane/counts.txt" flat
  # GDI objects, USER objects and kernel handles, each the least of a tenth of the lines (state that
  # comes and goes is not a leak): a leak grows from the first tenth to the middle one and again to
  # the last. Wine fills caches once; its shell keeps 30 to 40 GDI objects after its first question.
  flat=$(tr -d '\r' < "$counts" 2>/dev/null | awk '{ for (c = 4; c <= 8; c += 2) v[NR, c] = $c }
    function least(from, c,   i, m) { m = 1e9; for (i = from; i < from + w; i++) if (v[i, c] < m) m = v[i, c]; return m }
    END { w = NR >= 20 ? int(NR / 10) : 1; bad = NR < 2; split("gdi user handles", name)
      for (c = 4; c <= 8; c += 2) { a = least(1, c); m = least(int((NR - w) / 2) + 1, c); b = least(NR - w + 1, c)
        printf "%s %d, %d, %d; ", name[c / 2 - 1], a, m, b; if (m > a + 2 && b > m + 2) bad = 1 }
      printf "%d lines", NR; exit bad }') || problems+=("resources grew through the run: $flat")
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok: seed $seed: $sent keys in $((SECONDS - began)) s; $flat"
    rm -rf "$run"
    return 0
  fi
  echo "FAIL: seed $seed: $(printf '%s; ' "${problems[@]}")"
  tv_screenshot "$shots/soak-$seed.png"
  echo "  screenshot $shots/soak-$seed.png; sandbox kept in $run; last keys: $(tail -n 25 "$log" | tr '\n' ' ')"
  echo "  repeat: scripts/soak.sh $keys $seed"
  tv_stop
  return 1
}

failed=0
for seed in "$@"; do soak_one "$seed" || { failed=1; break; }; done
exit $failed
