#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the build tree: wine-exec.sh PREFIX PROGRAM [ARGS...]
# ctest uses it as the cross-compiling emulator. The first call starts a persistent wineserver and
# boots the prefix with all output on /dev/null, so Wine's helper processes never hold ctest's pipes
# (which otherwise costs seconds per test). Without a DISPLAY it starts an Xvfb for the prefix.
set -u
prefix=$1; shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
export WINEPREFIX="$prefix"
mkdir -p "$prefix"
# Wine's recycle bin is the XDG trash: it stays in the build tree (a test may choose its own), and
# it must exist, or Wine has no bin and asks before deleting for good.
export XDG_DATA_HOME="${TORVANE_XDG_DATA_HOME:-$prefix-xdg}"
mkdir -p "$XDG_DATA_HOME"

exec 9>"$prefix.lock"
flock 9
if [ -z "${DISPLAY:-}" ]; then
  # Reuse this prefix's Xvfb while it lives; a wineserver keeps the display it started with.
  if [ -f "$prefix.display" ] && read -r num pid < "$prefix.display" && kill -0 "$pid" 2>/dev/null; then
    export DISPLAY=":$num"
  else
    "$WINE_SERVER" -k 9>&- >/dev/null 2>&1; "$WINE_SERVER" -w 9>&- >/dev/null 2>&1
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 7 -screen 0 1920x1080x24 -nolisten tcp 7>"$fifo" 9>&- </dev/null >/dev/null 2>&1 &
    pid=$!
    read -r num < "$fifo"; rm -f "$fifo"
    echo "$num $pid" > "$prefix.display"
    export DISPLAY=":$num"
  fi
fi
if "$WINE_SERVER" -p 9>&- </dev/null >/dev/null 2>&1; then
  # A new server: boot the prefix (first time) and start Wine's services, detached from our output.
  "$WINE_LOADER" cmd.exe /c exit 0 9>&- </dev/null >/dev/null 2>&1
fi
# Wine has no Consolas and would stand in a wider font, so texts that fit on Windows are cut short.
# JetBrains Mono has Consolas's advance at all three font sizes (scripts/font-widths.cpp measures it).
if [ ! -f "$prefix/consolas-replaced" ] &&
   "$WINE_LOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Consolas /t REG_SZ /d 'JetBrains Mono' /f \
     9>&- </dev/null >/dev/null 2>&1; then
  touch "$prefix/consolas-replaced"
fi
flock -u 9
exec 9>&-

exec "$WINE_LOADER" "$@"
