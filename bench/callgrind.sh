#!/usr/bin/env bash
# Counts the instructions build/trelvox executes (valgrind's callgrind, all threads) converting
# 20,000 records of each bench/cli.sh log. Unlike times, the counts repeat exactly on a busy
# machine, so they show what a change to the hot path gained.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp examples/demo.KLI "$work/flight.KLI"
demo_records=$(($(stat -c %s examples/demo.KLD) / 164))
for _ in $(seq $(((records + demo_records - 1) / demo_records))); do
  cat examples/demo.KLD >>"$work/all.KLD"
done
head -c $((records * 164)) "$work/all.KLD" >"$work/flight.KLD"
build/make_bench_log "$work/every-decoder" "$records"
build/make_bench_log "$work/random-words" "$records" random

for log in flight every-decoder random-words; do
  instructions=$(valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    build/trelvox -f "$work/$log.KLD" 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
  echo "$log: $instructions instructions for $records records"
done
