#!/usr/bin/env bash
# The fixture of bench/launch: a small folder to start the program in, and the launches only Linux
# can time, because they start Wine itself. Each runs on a display of its own, into a prefix of its
# own (build/wineprefix-launch), to the first paint on the screen: the program into a stopped
# wineserver, and into the same prefix while its wineserver runs; for Wine's share, a console
# program that does nothing into a stopped wineserver, and a bare window (bench_launch --window) into
# the running one. Prints the folder and the medians of five rounds in milliseconds.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/app-driver.sh"
folder=$1/start
mkdir -p "$folder"
exe="$BENCH_BUILD/TorvaneCommander.exe"
export WINEPREFIX="$BENCH_BUILD/wineprefix-launch"
rounds=5

{
  trap 'TV_PREFIX=$WINEPREFIX; tv_stop' EXIT
  tv_start_display
  # Once: the prefix itself (about 10 s), so that no round pays for it.
  "$WINE_LOADER" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
  ms_since() { echo "($(date +%s.%N) - $1) * 1000 / 1" | bc; }
  fixture=$1
  median() { sort -n | sed -n "$(((rounds + 1) / 2))p"; }
  restart_server() { "$WINE_SERVER" -k || true; "$WINE_SERVER" -w || true; }
  # Starts the program from the folder and waits for its first frame on the screen: one pixel of the
  # title band read straight from the X server every two milliseconds (ImageMagick's import takes
  # 120 ms a read). Sets LAUNCH_MS, and leaves the program running as TV_PID. Arguments: the fixture
  # folder, then the Windows program and its arguments.
  launch_to_paint() {
    (cd "$folder" && exec python3 -c '
import ctypes, os, subprocess, sys, time
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGetImage.restype = ctypes.c_void_p
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                        ctypes.c_ulong, ctypes.c_int]
x.XGetPixel.restype = ctypes.c_ulong
x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
display = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(display)
def pixel():
    image = x.XGetImage(display, root, 4, 30, 1, 1, 0xFFFFFFFF, 2)
    value = x.XGetPixel(image, 0, 0)
    x.XFree(ctypes.c_void_p(image))
    return value
before = pixel()
began = time.monotonic()
child = subprocess.Popen(sys.argv[1:], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while pixel() in (before, 0) and time.monotonic() - began < 30:
    time.sleep(0.002)
print(round((time.monotonic() - began) * 1000), child.pid)
' "$WINE_LOADER" "${@:2}") > "$1/launch.out" &
    TV_PID=""
    for i in $(seq 1 3000); do [ -s "$1/launch.out" ] && break; sleep 0.01; done
    read -r LAUNCH_MS TV_PID < "$1/launch.out"
    rm -f "$1/launch.out"
  }
  # Ends the program (its wineserver stays) and waits until the screen is black again.
  end_program() {
    kill "$TV_PID" 2>/dev/null || true
    while kill -0 "$TV_PID" 2>/dev/null; do sleep 0.05; done
    for i in $(seq 1 200); do [ "$(tv_screen_pixel 4 30)" = "#000000" ] && break; sleep 0.05; done
  }

  wine_fresh=() program_fresh=() program_running=() bare_running=()
  for r in $(seq 1 $rounds); do
    restart_server
    began=$(date +%s.%N)
    "$WINE_LOADER" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
    wine_fresh+=("$(ms_since "$began")")

    restart_server
    launch_to_paint "$fixture" "$exe"
    program_fresh+=("$LAUNCH_MS")
    end_program
    # A server that stays (it would end three seconds after its last program), with its services up.
    restart_server
    "$WINE_SERVER" -p
    "$WINE_LOADER" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
    sleep 1
    launch_to_paint "$fixture" "$exe"
    program_running+=("$LAUNCH_MS")
    end_program
    launch_to_paint "$fixture" "$BENCH_BUILD/bench/bench_launch.exe" --window
    bare_running+=("$LAUNCH_MS")
    end_program
  done
  echo "--folder=Z:${folder//\//\\}" \
       "--wine-fresh=$(printf '%s\n' "${wine_fresh[@]}" | median)" \
       "--program-fresh=$(printf '%s\n' "${program_fresh[@]}" | median)" \
       "--program-running=$(printf '%s\n' "${program_running[@]}" | median)" \
       "--bare-running=$(printf '%s\n' "${bare_running[@]}" | median)" >&3
} 3>&1 >/dev/null 2>&1
