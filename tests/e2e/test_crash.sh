#!/usr/bin/env bash
# Kills at random instants of every operation, in short (about two minutes); scripts/crash.sh runs
# it at length. The kills use a Wine prefix of their own, not the one ctest passes.
exec bash "$(dirname "$0")/crash.sh" "$1" "$2-crash-short" 27 1
