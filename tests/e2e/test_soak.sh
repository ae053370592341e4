#!/usr/bin/env bash
# The random-key soak in short (about a minute): two fixed seeds of 350 keys each. scripts/soak.sh
# runs it at length. The soak uses a Wine prefix of its own, not the one ctest passes.
exec bash "$(dirname "$0")/soak.sh" "$1" 350 1 2
