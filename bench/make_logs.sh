#!/usr/bin/env bash
# Writes the three bench logs of RECORDS records into FOLDER: flight (the demo flight repeated),
# every-decoder (every decoder in group 0, every validity bit set) and random-words (every decoder,
# plain random slot words). Sourced by bench/cli.sh and bench/callgrind.sh: make_bench_logs FOLDER RECORDS
make_bench_logs() {
  local work=$1 records=$2
  repeat_demo_flight "$work/flight" "$records"
  build/make_bench_log "$work/every-decoder" "$records"
  build/make_bench_log "$work/random-words" "$records" random
}

# Writes BASE.KLD and BASE.KLI: the demo flight repeated (the last copy cut short) to RECORDS
# records. Also sourced by bench/card.sh.
repeat_demo_flight() {
  local base=$1 records=$2
  local demo_records=$(($(stat -c %s examples/demo.KLD) / 164))
  cp examples/demo.KLI "$base.KLI"
  {
    for _ in $(seq $((records / demo_records))); do cat examples/demo.KLD; done
    head -c $((records % demo_records * 164)) examples/demo.KLD
  } >"$base.KLD"
}
