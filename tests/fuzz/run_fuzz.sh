#!/usr/bin/env bash
# Runs the settings fuzzer from the committed seed corpus with a fixed seed. New inputs go to
# the work folder (never into the source tree); a crash is kept there as crash-*.
#
#   run_fuzz.sh <settings_fuzzer> <work folder> [libFuzzer options...]
#
# e.g. a short check: -max_total_time=5; a long run: -runs=2000000 (see README).
set -euo pipefail
fuzzer=$1
work=$2
shift 2
seeds=$(cd "$(dirname "$0")" && pwd)/settings_corpus
mkdir -p "$work/corpus"
cd "$work"
exec "$fuzzer" -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "$@" corpus "$seeds"
