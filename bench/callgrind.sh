#!/usr/bin/env bash
# Counts the instructions build/trelvox executes (valgrind's callgrind, all threads) converting
# 20,000 records of each bench/cli.sh log. Unlike times, the counts repeat exactly on a busy
# machine, so they show what a change to the hot path gained.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source bench/make_logs.sh
make_bench_logs "$work" "$records"

for log in flight every-decoder random-words; do
  instructions=$(valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    build/trelvox -f "$work/$log.KLD" 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
  echo "$log: $instructions instructions for $records records"
done
