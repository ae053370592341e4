#!/usr/bin/env bash
# Checks the floors of src/: each folder includes only itself and the folders below it, and no two
# headers include each other. Prints every breach; the exit code is the number found (capped).
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}
declare -A allowed=(
  [fs]="fs"
  [settings]="settings fs"
  [ui]="ui settings fs"
  [panels]="panels ui settings fs"
  [viewer]="viewer panels ui settings fs"
  [ops]="ops viewer panels ui settings fs"
  [editor]="editor viewer panels ui settings fs"
  [screens]="screens ops editor viewer panels ui settings fs"
  [app]="app screens ops editor viewer panels ui settings fs"
)
breaches=0
while IFS=: read -r file _ line; do
  from=${file#"$src"/}; from=${from%%/*}
  target=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' <<<"$line")
  to=${target%%/*}
  if [ -z "${allowed[$from]+set}" ]; then
    echo "unknown folder: $file"; breaches=$((breaches + 1))
  elif [[ " ${allowed[$from]} " != *" $to "* ]]; then
    echo "$file includes $target: $from/ may include only ${allowed[$from]}"; breaches=$((breaches + 1))
  fi
done < <(grep -rn '^#include "' "$src" --include='*.h' --include='*.cpp')
# Two headers that include each other.
while IFS=: read -r file _ line; do
  a=${file#"$src"/}
  b=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' <<<"$line")
  [ -f "$src/$b" ] && grep -q "^#include \"$a\"" "$src/$b" && { echo "$a and $b include each other"; breaches=$((breaches + 1)); }
done < <(grep -rn '^#include "' "$src" --include='*.h')
[ "$breaches" -eq 0 ] && echo "floors hold"
exit $((breaches > 100 ? 100 : breaches))
