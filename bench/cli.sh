#!/usr/bin/env bash
# Times build/trelvox against `cat` of the CSV it produced (hyperfine) on three logs of 200,000-odd
# records and prints the ratios: the demo flight (receiver and six sensors, repeated), every
# decoder in group 0 with every validity bit set, and every decoder with plain random slot words
# (the worst case for the digit code); then every further output (--summary --json --gpx --kml)
# against the CSV alone, which must stay within 1.2x. Also reports the converter's peak memory,
# which must not grow with the log, with and without the further outputs. Instruction counts,
# which a busy machine does not disturb: bench/callgrind.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source bench/make_logs.sh
make_bench_logs "$work" "$records"

for log in flight every-decoder random-words; do
  build/trelvox -f "$work/$log.KLD" >/dev/null
  echo "== $log: $(($(stat -c %s "$work/$log.KLD") / 164)) records, CSV $(stat -c %s "$work/$log.csv") bytes"
  hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
    -n trelvox "build/trelvox -f $work/$log.KLD" \
    -n cat "cat $work/$log.csv > $work/copy.csv" | grep -E 'Benchmark|Time'
  python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
print(f"trelvox / cat = {results['trelvox'] / results['cat']:.2f}")
PY
  /usr/bin/time -f "peak memory: %M KiB" build/trelvox -f "$work/$log.KLD" >/dev/null

  all_outputs="--summary --json --gpx --kml"
  hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
    -n csv "build/trelvox -f $work/$log.KLD" \
    -n all "build/trelvox -f $all_outputs $work/$log.KLD" | grep -E 'Benchmark|Time'
  python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
print(f"--summary --json --gpx --kml / CSV only = {results['all'] / results['csv']:.2f} (at most 1.20)")
PY
  /usr/bin/time -f "peak memory with every output: %M KiB" \
    build/trelvox -f $all_outputs "$work/$log.KLD" >/dev/null
done
