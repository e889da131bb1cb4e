#!/usr/bin/env bash
# Writes the three bench logs of RECORDS records into FOLDER: flight (the demo flight repeated),
# every-decoder (every decoder in group 0, every validity bit set) and random-words (every decoder,
# plain random slot words). Sourced by bench/cli.sh and bench/callgrind.sh: make_bench_logs FOLDER RECORDS
make_bench_logs() {
  local work=$1 records=$2
  cp examples/demo.KLI "$work/flight.KLI"
  local demo_records=$(($(stat -c %s examples/demo.KLD) / 164))
  for _ in $(seq $(((records + demo_records - 1) / demo_records))); do
    cat examples/demo.KLD >>"$work/all.KLD"
  done
  head -c $((records * 164)) "$work/all.KLD" >"$work/flight.KLD"
  rm "$work/all.KLD"
  build/make_bench_log "$work/every-decoder" "$records"
  build/make_bench_log "$work/random-words" "$records" random
}
