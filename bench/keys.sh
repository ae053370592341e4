#!/usr/bin/env bash
# The fixture of bench/keys: the folder of 100,000 files that bench/listing reads, made once and kept.
set -euo pipefail
exec bash "$(dirname "${BASH_SOURCE[0]}")/listing.sh" "$1"
