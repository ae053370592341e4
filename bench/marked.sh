#!/usr/bin/env bash
# The fixture of bench/marked: 100,000 empty files in one folder and an empty folder beside it.
# Prints the two folders as the program sees them (Wine shows every Linux path on Z:).
set -euo pipefail
root=$1
mkdir -p "$root/files" "$root/empty"
(cd "$root/files" && seq -f 'file%06g.dat' 0 99999 | xargs touch)
echo "Z:${root//\//\\}\\files Z:${root//\//\\}\\empty"
