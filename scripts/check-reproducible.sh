#!/usr/bin/env bash
# Builds the release a second time from a copy of the sources in another folder and compares it
# byte for byte with the package of the program in BUILD: any time stamp or absolute path that
# gets into the .exe or the zip shows as a difference.
#   scripts/check-reproducible.sh BUILD      (BUILD holds TorvaneCommander.exe, built as usual)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "$1" && pwd)
work="$build/reproducible"
rm -rf "$work" && mkdir -p "$work/elsewhere/source"
cp -r "$root"/{CMakeLists.txt,cmake,res,src,bench,scripts,tests} "$work/elsewhere/source/"
"$root/scripts/package.sh" --exe "$build/TorvaneCommander.exe" --out "$work/first" >/dev/null
TORVANE_BUILD_DIR="$work/elsewhere/build" TORVANE_JOBS=1 \
  "$work/elsewhere/source/scripts/package.sh" --out "$work/second" >/dev/null
status=0
for f in "$work/first"/*; do
  cmp "$f" "$work/second/${f##*/}" || status=1
done
cmp "$build/TorvaneCommander.exe" "$work/elsewhere/build/TorvaneCommander.exe" || status=1
[ $status -eq 0 ] && echo "the second build is byte for byte the first: $(cat "$work/first/SHA256SUMS")" &&
  rm -rf "$work"
exit $status
