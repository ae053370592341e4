#!/usr/bin/env bash
# The fixture of bench/marked: 100,000 empty files in one folder and an empty folder beside it, made
# once and kept. Prints the two folders as the program sees them (Wine shows every Linux path on Z:).
set -euo pipefail
root=$1
if [ "$(find "$root/files" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne 100000 ]; then
  rm -rf "$root/files"
  mkdir -p "$root/files"
  (cd "$root/files" && seq -f 'file%06g.dat' 0 99999 | xargs touch)
fi
rm -rf "$root/empty"
mkdir -p "$root/empty"
echo "Z:${root//\//\\}\\files Z:${root//\//\\}\\empty"
