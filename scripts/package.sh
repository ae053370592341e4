#!/usr/bin/env bash
# Builds the release program and packs dist/torvane-commander-VERSION-win64.zip: the .exe, a
# README.txt for Windows users and SHA256SUMS of the two; dist/SHA256SUMS holds the zip's own.
# The same commit gives the same bytes in any folder: the .exe has no link time and no source
# path, and the zip has fixed times, fixed modes, sorted entries and no extra fields.
#   scripts/package.sh [--out DIR] [--exe EXE]
# The build folder is build/ (or $TORVANE_BUILD_DIR, built with $TORVANE_JOBS jobs); --exe packs a
# program built before instead (the test compares the two).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dist="$root/dist" exe=""
while [ $# -gt 0 ]; do
  case "$1" in
    --out) dist=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    *) echo "usage: scripts/package.sh [--out DIR] [--exe EXE]" >&2; exit 2 ;;
  esac
done
if [ -z "$exe" ]; then
  source "$root/scripts/build-env.sh"
  torvane_configure
  cmake --build "$build" --target TorvaneCommander -j "${TORVANE_JOBS:-$(nproc)}" >/dev/null
  exe="$build/TorvaneCommander.exe"
else
  source "$root/scripts/deps.sh"
fi

version=$(sed -n 's/.*L"Version: \([0-9.]*\)".*/\1/p' "$root/src/screens/info.cpp")
[ -n "$version" ] || { echo "no version in src/screens/info.cpp" >&2; exit 1; }
name="torvane-commander-$version-win64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/TorvaneCommander.exe"
sed "s/@VERSION@/$version/; s/\$/\r/" "$root/res/README.txt" > "$stage/README.txt"
(cd "$stage" && sha256sum TorvaneCommander.exe README.txt | sed 's/$/\r/' > SHA256SUMS)
# Every entry dated 1 January 2026 (zip keeps local time, so UTC here) and readable by all.
chmod 644 "$stage"/*
TZ=UTC touch -d '2026-01-01 00:00:00' "$stage"/*
mkdir -p "$dist"
rm -f "$dist/$name.zip"
(cd "$stage" && printf '%s\n' README.txt SHA256SUMS TorvaneCommander.exe | TZ=UTC zip -X -9 -q -@ "$dist/$name.zip")
(cd "$dist" && sha256sum "$name.zip" > SHA256SUMS && cat SHA256SUMS)
