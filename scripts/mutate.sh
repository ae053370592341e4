#!/usr/bin/env bash
# Mutation run: changes src/ in one small way at a time, rebuilds, runs the unit tests and records
# whether some test failed (killed), all passed (survived) or the change did not compile (not built).
# Not part of the tests; the README's "Mutation run" says how the sample is drawn.
#   scripts/mutate.sh [--seed N] [--count N] [--from I] [--to J] [--files 'GLOB'...] [--list]
#   scripts/mutate.sh --replay LOG [--only VERDICT] [--from I] [--to J]
#   scripts/mutate.sh --score LOG...
#   scripts/mutate.sh --coverage
#   --drawn-at REV (with a sample): the sample drawn from REV's sources, each site moved to its line
#   today; a site whose line has changed since is left out
#   --matrix (with a sample or a replay): the first program that fails runs whole, and the log names
#   each of its failing tests
# Any of them with --commit REV works on the files of that commit instead of the worktree's.
# It works on a copy of the tree in build/mutate/ (--slot N: build/mutate/slotN, for a second run
# beside the first), so the worktree's files are never changed. --coverage records, in a build with
# gcov, which test programs run each line; a run on the same tests then starts only those programs
# (a program that never runs the line cannot tell the mutant apart), and none for a line no test runs. One line per mutant goes to the
# log (build/mutate/SEED[-FROM-TO].log, or --log FILE), tab-separated: index, file:line:column,
# the text before, the text after, the verdict, the test that failed, seconds.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

seed=1 count=50 from=1 to=0 list=0 replay="" only="" log="" slot="" score=0 coverage=0 commit="" matrix=0 drawn=""
files=()
while [ $# -gt 0 ]; do
  case $1 in
    --seed) seed=$2; shift 2 ;;
    --count) count=$2; shift 2 ;;
    --from) from=$2; shift 2 ;;
    --to) to=$2; shift 2 ;;
    --files) shift; while [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; do files+=("$1"); shift; done ;;
    --list) list=1; shift ;;
    --replay) replay=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --log) log=$2; shift 2 ;;
    --slot) slot=$2; shift 2 ;;
    --score) score=1; shift; break ;;
    --coverage) coverage=1; shift ;;
    --matrix) matrix=1; shift ;;
    --commit) commit=$2; shift 2 ;;
    --drawn-at) drawn=$2; shift 2 ;;
    *) sed -n '2,16p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
  esac
done

# Sites, the sample and the edit, in Python (Debian's python3).
read -r -d '' PY <<'EOF' || true
import random, re, sys

def masked(line):
    # Strings, characters and comments become blanks, so no site lies inside them.
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if line.startswith('//', i):
            out.append(' ' * (n - i)); break
        if c in '"\'':
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == '\\' else 1
            out.append(c + ' ' * (min(j, n) - i - 1) + (c if j < n else '')); i = j + 1; continue
        out.append(c); i += 1
    return ''.join(out)[:n]

SWAPS = {' < ': ' <= ', ' <= ': ' < ', ' > ': ' >= ', ' >= ': ' > ', ' == ': ' != ', ' != ': ' == ',
         ' && ': ' || ', ' || ': ' && '}
BINARY = re.compile(r' (<=|>=|==|!=|&&|\|\||<|>) ')
RETURN = re.compile(r'\breturn (true|false);')
# An integer limit: a decimal literal on one side of a comparison.
LIMIT_RIGHT = re.compile(r' (?:<=|>=|==|!=|<|>) (\d+)([uUlL]*)(?![.\w])')
LIMIT_LEFT = re.compile(r'(?<![\w.])(\d+)([uUlL]*)(?= (?:<=|>=|==|!=|<|>) )')
NOT = re.compile(r'!(?=[A-Za-z_(])')

def sites(path):
    in_block = False
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.rstrip('\n')
        text = masked(line)
        if in_block or '/*' in text:
            in_block = '*/' not in text.split('/*')[-1]
            continue
        if text.lstrip().startswith('#') or 'static_assert' in text:
            continue
        found = []
        for m in BINARY.finditer(text):
            old = m.group(0)
            found.append((m.start(), old, SWAPS[old]))
        for m in RETURN.finditer(text):
            old = m.group(0)
            found.append((m.start(), old, old.replace(m.group(1), 'false' if m.group(1) == 'true' else 'true')))
        for pattern in (LIMIT_RIGHT, LIMIT_LEFT):
            for m in pattern.finditer(text):
                value, suffix = int(m.group(1)), m.group(2)
                old = m.group(1) + suffix
                found.append((m.start(1), old, str(value + 1) + suffix))
                if value > 0:
                    found.append((m.start(1), old, str(value - 1) + suffix))
        for m in NOT.finditer(text):
            found.append((m.start(), '!', ''))
        for column, old, new in sorted(found):
            yield number, column + 1, old, new

def cmd_sample(seed, count, first, last, *paths):
    # Lines first, then one site on each: a line dense with comparisons counts once.
    lines = {}
    for p in sorted(paths):
        for n, c, o, w in sites(p):
            lines.setdefault((p, n), []).append((p, n, c, o, w))
    draw = random.Random(int(seed))
    keys = draw.sample(sorted(lines), min(int(count), len(lines)))
    chosen = [draw.choice(lines[k]) for k in keys]
    last = int(last) or len(chosen)
    for index, (p, n, c, o, w) in enumerate(chosen, 1):
        if int(first) <= index <= last:
            print(f'{index}\x1f{p}:{n}:{c}\x1f{o}\x1f{w}')
    print(f'# {sum(map(len, lines.values()))} sites on {len(lines)} lines of {len(paths)} files', file=sys.stderr)

def cmd_apply(path, number, column, old, new):
    lines = open(path, encoding='utf-8').read().split('\n')
    line, at = lines[int(number) - 1], int(column) - 1
    if line[at:at + len(old)] != old:
        sys.exit(f'{path}:{number}:{column}: the line no longer reads {old!r}')
    lines[int(number) - 1] = line[:at] + new + line[at + len(old):]
    open(path, 'w', encoding='utf-8').write('\n'.join(lines))

def cmd_replay(logfile, only, first, last):
    for row in open(logfile, encoding='utf-8'):
        if row.startswith('#'):
            continue
        f = row.rstrip('\n').split('\t')
        if len(f) >= 5 and (not only or f[4] == only) and int(first) <= int(f[0]) <= (int(last) or 10**9):
            print('\x1f'.join(f[:4] + [f[5] if len(f) > 5 and f[4] == 'killed' else '']))

def cmd_score(*logs):
    counts = {}
    for logfile in logs:
        for row in open(logfile, encoding='utf-8'):
            f = row.rstrip('\n').split('\t')
            if not row.startswith('#') and len(f) >= 5:
                counts[f[4]] = counts.get(f[4], 0) + 1
    k, s = counts.get('killed', 0), counts.get('survived', 0)
    rate = f'{100 * k / (k + s):.1f} %' if k + s else 'n/a'
    print(f'score {k}/{k + s} = {rate} (killed {k}, survived {s}, not built {counts.get("not built", 0)})')

def cmd_reach(mapfile, tests_hash):
    # Reads site lines on stdin and prints, for each, the programs that run its line, or "all"
    # where the map has no count for it (a line gcov gives no code, or no map for these tests).
    reach = {}
    try:
        rows = open(mapfile, encoding='utf-8').read().split('\n')
    except OSError:
        rows = ['']
    if rows[0] != '# tests ' + tests_hash:
        rows = []
    for row in rows[1:]:
        if row:
            f, n, areas = row.split('\t')
            reach[(f, n)] = areas
    for site in sys.stdin:
        f, n = site.strip().split(':')[:2]
        print(reach.get((f, n), 'all') or 'none')

def cmd_gcov(mapfile, tests_hash, *pairs):
    # pairs: AREA FILE...; each FILE holds gcov's JSON documents for that program's run, one a line.
    import json
    lines = {}
    for area, path in zip(pairs[::2], pairs[1::2]):
        for f in [f for doc in open(path, encoding='utf-8') if doc.strip() for f in json.loads(doc)['files']]:
            if not f['file'].startswith('src/'):
                continue
            for line in f['lines']:
                areas = lines.setdefault((f['file'], line['line_number']), set())
                if line['count'] > 0:
                    areas.add(area)
    with open(mapfile, 'w', encoding='utf-8') as out:
        out.write('# tests ' + tests_hash + '\n')
        for (f, n), areas in sorted(lines.items()):
            out.write(f'{f}\t{n}\t{",".join(sorted(areas))}\n')

def cmd_moved(rev):
    # Reads sample lines drawn at `rev` on stdin; prints each with its line as it stands today.
    import difflib, subprocess
    maps = {}
    for row in sys.stdin:
        index, site, old, new = row.rstrip('\n').split('\x1f')
        path, number, column = site.split(':')
        if path not in maps:
            before = subprocess.run(['git', 'show', f'{rev}:{path}'], capture_output=True, text=True).stdout.split('\n')
            now = open(path, encoding='utf-8').read().split('\n')
            blocks = difflib.SequenceMatcher(None, before, now, autojunk=False).get_matching_blocks()
            maps[path] = {a + i + 1: b + i + 1 for a, b, n in blocks for i in range(n)}
        if int(number) in maps[path]:
            print(f'{index}\x1f{path}:{maps[path][int(number)]}:{column}\x1f{old}\x1f{new}')
        else:
            print(f'# {index} {site}: its line has changed since {rev}', file=sys.stderr)

globals()['cmd_' + sys.argv[1]](*sys.argv[2:])
EOF
py() { python3 -c "$PY" "$@"; }

if [ "$score" = 1 ]; then py score "$@"; exit 0; fi

cd "$root"
if [ ${#files[@]} -eq 0 ]; then files=(src/*/*.cpp); fi
# The entry point is not in the library the tests link.
mapfile -t files < <(printf '%s\n' ${files[@]} | grep -v '^src/app/main\.cpp$' | sort -u)

if [ -n "$replay" ]; then
  mutants=$(py replay "$replay" "$only" "$from" "$to")
  [ -n "$log" ] || log="${replay%.log}-replay.log"
else
  if [ -n "$drawn" ]; then
    at=$(mktemp -d); git archive "$drawn" src | tar -x -C "$at"
    mutants=$(cd "$at" && py sample "$seed" "$count" "$from" "$to" "${files[@]}")
    mutants=$(py moved "$drawn" <<<"$mutants")
    rm -rf "$at"
  else
    mutants=$(py sample "$seed" "$count" "$from" "$to" "${files[@]}")
  fi
  [ -n "$log" ] || { log="$root/build/mutate/$seed"; [ "$from" != 1 ] || [ "$to" != 0 ] && log+="-$from-$to"; log+=.log; }
fi
if [ "$list" = 1 ]; then tr '\037' '\t' <<<"$mutants"; exit 0; fi
[ -n "$mutants" ] || [ "$coverage" = 1 ] || { echo "no mutants" >&2; exit 1; }

source "$root/scripts/deps.sh"
source "$root/scripts/wine-env.sh"
work="$root/build/mutate${slot:+/slot$slot}"
[ "$coverage" = 1 ] && work="$root/build/mutate/cov"
map="$root/build/mutate/coverage.txt"
tree="$work/tree" obj="$work/obj" prefix="$work/wineprefix"
mkdir -p "$tree" "$work/orig" "$(dirname "$log")"

# The copy takes the worktree's files as they are now; unchanged files keep their times, so the
# build after a sync compiles only what changed.
from_dir=$root
if [ -n "$commit" ]; then
  from_dir="$work/commit"; rm -rf "$from_dir"; mkdir -p "$from_dir"
  git archive "$commit" | tar -x -C "$from_dir"
  mapfile -t tracked < <(git ls-tree -r --name-only "$commit" | grep -vE '^docs/')
else
  mapfile -t tracked < <(git ls-files --cached --others --exclude-standard | grep -vE '^docs/')
fi
for f in "${tracked[@]}"; do
  [ -f "$from_dir/$f" ] || continue
  cmp -s "$from_dir/$f" "$tree/$f" 2>/dev/null || { mkdir -p "$tree/$(dirname "$f")"; cp "$from_dir/$f" "$tree/$f"; }
done
(cd "$tree" && find src tests -type f) | while read -r f; do [ -e "$from_dir/$f" ] || rm -f "$tree/$f"; done

areas=(app settings panels fs ops viewer editor screens)
targets=(); for a in "${areas[@]}"; do targets+=("tests_$a"); done
build() { nice -n 10 cmake --build "$obj" -j "$(nproc)" --target "$@" </dev/null >"$work/build.out" 2>&1; }

tests_hash=$(cd "$tree" && find tests -name '*.cpp' -o -name '*.h' | sort | xargs cat | md5sum | cut -d' ' -f1)
if [ "$coverage" = 1 ]; then
  cmake -S "$tree" -B "$obj" -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_CXX_FLAGS_RELEASE=-O0 -DNDEBUG" -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
else
  cmake -S "$tree" -B "$obj" -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON >/dev/null
fi
build "${targets[@]}" || { cat "$work/build.out"; echo "the unmutated tree does not build" >&2; exit 1; }

current="" xvfb_pid=""
restore() {
  # A fresh time on the source, so the next build compiles it again whatever else happened.
  if [ -n "$current" ]; then cp "$work/orig/current" "$tree/$current"; current=""; fi
}
cleanup() {
  restore
  WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One Xvfb and one wineserver for the whole run.
WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 7 -screen 0 1920x1080x24 -nolisten tcp 7>"$fifo" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
read -r display_num < "$fifo"; rm -f "$fifo"
export DISPLAY=":$display_num"

# run AREA LIMIT: runs that area's program to its first failure; sets $failed to the failing test.
run() {
  local out="$work/run.out" rc=0 fast=(--gtest_fail_fast)
  [ "$matrix" = 1 ] && fast=()
  (cd "$obj/tests" && nice -n 10 timeout -k 5 "$2" "$tree/scripts/wine-exec.sh" "$prefix" \
     "$obj/tests/$1/tests_$1.exe" "${fast[@]}" "${@:3}") </dev/null >"$out" 2>&1 || rc=$?
  failed=""
  [ "$rc" = 0 ] && return 0
  if [ "$matrix" = 1 ]; then
    failed=$(grep -o '^\[  FAILED  \] [A-Za-z0-9_]*\.[A-Za-z0-9_]*' "$out" | cut -c14- | sort -u | paste -sd' ' || true)
  else
    failed=$(grep -m1 -o '^\[  FAILED  \] [^ ]*' "$out" | cut -c14- || true)
  fi
  if [ -z "$failed" ]; then
    failed=$(grep -o '^\[ RUN      \] [^ ]*' "$out" | tail -1 | cut -c14- || true)
    if [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
      failed="timeout in ${failed:-start}"
      WINEPREFIX="$prefix" "$WINE_SERVER" -k >/dev/null 2>&1 || true
    else
      failed="exit $rc in ${failed:-start}"
    fi
  fi
  failed="tests_$1 $failed"
  return 1
}

# check AREA: run with that program's limit; a timeout counts only when a second run with ten
# minutes also runs out, as the machine may merely be busy.
check() {
  run "$1" "${limit[$1]}" "${@:2}" && return 0
  case $failed in "tests_$1 timeout"*) run "$1" 600 "${@:2}" ;; *) return 1 ;; esac
}

if [ "$coverage" = 1 ]; then
  # Each program writes its counts into a folder of its own (Wine reaches the Unix path through Z:).
  pairs=()
  for a in "${areas[@]}"; do
    rm -rf "$work/data/$a"
    export GCOV_PREFIX="$work/data/$a"
    run "$a" 1800 || { echo "the tests fail: $failed" >&2; exit 1; }
    counts="$work/data/$a$obj/CMakeFiles/torvane.dir"
    (cd "$obj/CMakeFiles/torvane.dir" && find src -name '*.gcno' -exec cp --parents {} "$counts/" \;)
    (cd "$tree" && find "$counts" -name '*.gcda' -print0 | xargs -0 x86_64-w64-mingw32-gcov-posix -j -t) \
      >"$work/data/$a.json" 2>/dev/null
    pairs+=("$a" "$work/data/$a.json")
  done
  unset GCOV_PREFIX
  py gcov "$map" "$tests_hash" "${pairs[@]}"
  echo "coverage of $(grep -vc '^#' "$map") lines in $map"
  exit 0
fi

# The unmutated tests must pass; their times give each program's limit and the order of the rest.
declare -A limit
for a in "${areas[@]}"; do
  start=$SECONDS
  run "$a" 600 || { echo "the unmutated tests fail: $failed" >&2; cat "$work/run.out" >&2; exit 1; }
  limit[$a]=$(( 4 * (SECONDS - start) + 60 ))
  echo "tests_$a: $((SECONDS - start)) s unmutated"
done
order=$(for a in "${areas[@]}"; do echo "${limit[$a]} $a"; done | sort -n | cut -d' ' -f2)

# A mutant's object is rebuilt from the restored source only when needed: the unmutated object is
# kept and put back, newer than the library, so the next build merely archives it again.
rm -rf "$work/objects"; mkdir -p "$work/objects"
{ echo "# $(date -u +%FT%TZ) $(git rev-parse --short HEAD)${replay:+ replay of $replay}${only:+ ($only)} seed $seed count $count"
  echo "# index	site	before	after	verdict	failed test	seconds"; } >>"$log"
killed=0 survived=0 unbuilt=0
mapfile -t reaches < <(cut -d$'\x1f' -f2 <<<"$mutants" | py reach "$map" "$tests_hash")
[ -f "$map" ] && [ "$(head -1 "$map")" = "# tests $tests_hash" ] ||
  echo "no coverage map for these tests: every program runs for every mutant"
m=0
# Fields apart by the unit separator: a tab would merge with the empty text of a removed `!`.
while IFS=$'\x1f' read -r index site old new killer; do
  reach=${reaches[$m]}; m=$((m + 1))
  file=${site%%:*} rest=${site#*:}; number=${rest%%:*} column=${rest#*:}
  area=$(cut -d/ -f2 <<<"$file"); [ "$area" = ui ] && area=app
  # The test that killed the mutant before runs first, alone, then its program, the mutated
  # subsystem's and the rest.
  killer_test=""
  case $killer in *" "*) killer_test=${killer##* } killer=${killer%% *} ;; esac
  sequence=()
  for a in ${killer#tests_} $area $order; do
    [[ " ${sequence[*]} " == *" $a "* ]] || [[ $reach != all && ,$reach, != *",$a,"* ]] || sequence+=("$a")
  done
  object="$obj/CMakeFiles/torvane.dir/$file.obj" cached="$work/objects/${file//\//_}.obj"
  [ -f "$cached" ] || cp -p "$object" "$cached"
  start=$SECONDS failed=""
  cp -p "$tree/$file" "$work/orig/current"; current=$file
  if ! py apply "$tree/$file" "$number" "$column" "$old" "$new" </dev/null; then
    verdict="not built" failed="site moved"
  else
    verdict=survived
    [ ${#sequence[@]} -gt 0 ] || failed="no test runs this line"
    if [ "$matrix" = 0 ] && [ -n "$killer_test" ] && build "$killer" && ! check "${killer#tests_}" --gtest_filter="$killer_test"; then
      verdict=killed
    else
      for i in "${!sequence[@]}"; do
        if [ "$i" = 0 ]; then
          build "tests_${sequence[0]}" || { verdict="not built"; break; }
        elif [ "$i" = 1 ]; then
          rest_targets=(); for a in "${sequence[@]:1}"; do rest_targets+=("tests_$a"); done
          build "${rest_targets[@]}" || { verdict="not built"; break; }
        fi
        check "${sequence[$i]}" || { verdict=killed; break; }
      done
    fi
  fi
  cp -p "$work/orig/current" "$tree/$file"; current=""
  cp -p "$cached" "$object"; touch "$object"
  case $verdict in killed) killed=$((killed + 1)) ;; survived) survived=$((survived + 1)) ;; *) unbuilt=$((unbuilt + 1)) ;; esac
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$index" "$site" "$old" "$new" "$verdict" "$failed" "$((SECONDS - start))" | tee -a "$log"
done <<<"$mutants"
echo "this run: killed $killed, survived $survived, not built $unbuilt; log $log"
py score "$log"
