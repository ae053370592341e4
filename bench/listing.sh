#!/usr/bin/env bash
# The fixture of bench/listing: 100,000 empty files in one folder, made once and kept. Prints the
# folder as the program sees it (Wine shows every Linux path on Z:).
set -euo pipefail
folder=$1/files
if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne 100000 ]; then
  rm -rf "$folder"
  mkdir -p "$folder"
  (cd "$folder" && seq -f 'File_%g.dat' 0 99999 | xargs touch)
fi
echo "Z:${folder//\//\\}"
