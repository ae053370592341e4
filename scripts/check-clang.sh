#!/usr/bin/env bash
# Compiles every source file of src/ with clang for the program's Windows target, against the
# MinGW headers and the C++ library of the MinGW GCC, with every warning an error: code that only
# GCC accepts shows here, not first on a Windows machine with another compiler. Only the syntax is
# checked (no objects are made), with $TORVANE_JOBS files at a time (all cores if unset). The exit
# code is the number of files that fail (capped).
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}
gcc=${TORVANE_MINGW_GXX:-x86_64-w64-mingw32-g++-posix}
# The C++ library's folders as the MinGW GCC searches them; clang finds the MinGW headers itself.
mapfile -t cxx < <(echo | "$gcc" -xc++ -E -v - 2>&1 | sed -n 's/^ \(\/.*\/include\/c++.*\)/-isystem\n\1/p')
[ ${#cxx[@]} -gt 0 ] || { echo "no C++ library folders from $gcc"; exit 100; }
flags=(--target=x86_64-w64-mingw32 -std=c++20 -fsyntax-only -nostdinc++ "${cxx[@]}" -Wall -Wextra -Wpedantic
       -Werror -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -I"$src")
failed=$(find "$src" -name '*.cpp' -print0 | sort -z |
  xargs -0 -n 1 -P "${TORVANE_JOBS:-$(nproc)}" bash -c 'clang++ "$@" 2>&1 || echo "FAILED: ${!#}"' clang \
    "${flags[@]}" |
  tee /dev/stderr | grep -c '^FAILED: ')
[ "$failed" -eq 0 ] && echo "clang accepts all $(find "$src" -name '*.cpp' | wc -l) files"
exit $((failed > 100 ? 100 : failed))
