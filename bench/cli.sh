#!/usr/bin/env bash
# Times build/trelvox against `cat` of the CSV it produced (hyperfine) on three logs of 200,000-odd
# records and prints the ratios: the demo flight (receiver and six sensors, repeated), every
# decoder in group 0 with every validity bit set, and every decoder with plain random slot words
# (the worst case for the digit code), each beside what reading the log and then writing its CSV
# cost with cat alone, no conversion at all; then every further output (--summary --json --gpx
# --kml) against the CSV alone, which must stay within 1.2x. Also reports the converter's peak
# memory, which must not grow with the log, with and without the further outputs; and --report
# against the CSV alone (at most 1.3x). Instruction counts, which a busy machine does not disturb:
# bench/callgrind.sh. TRELVOX_BENCH_DIR names the folder the logs and outputs go in (default: a
# new one under the system's temporary folder); a folder in memory (/dev/shm) leaves out what the
# disk adds, such as trimming the blocks of every output replaced.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-200000}
work=$(mktemp -d "${TRELVOX_BENCH_DIR:-${TMPDIR:-/tmp}}/trelvox-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

source bench/make_logs.sh
make_bench_logs "$work" "$records"

# Times command B against command A and prints "LABEL = B/A" from the median times: a mean takes in
# every pause the host makes in one of the runs, which moved a ratio by more than 1 at times.
ratio() {
  local label=$1 a=$2 b=$3
  hyperfine --warmup 2 --runs 15 --export-json "$work/times.json" -n a "$a" -n b "$b" |
    grep -E 'Benchmark|Time'
  python3 - "$work/times.json" "$label" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
a, b = results['a'], results['b']
print(f"{sys.argv[2]} = {b / a:.2f} (medians {b * 1000:.1f} / {a * 1000:.1f} ms)")
PY
}

all_outputs="--summary --json --gpx --kml"
for log in flight every-decoder random-words; do
  csv_only="build/trelvox -f $work/$log.KLD"
  $csv_only >/dev/null
  echo "== $log: $(($(stat -c %s "$work/$log.KLD") / 164)) records, CSV $(stat -c %s "$work/$log.csv") bytes"
  ratio "trelvox / cat (at most 1.5, random words 2.0)" "cat $work/$log.csv > $work/copy.csv" \
    "$csv_only"
  ratio "reading the log, then writing its CSV, with cat / cat" \
    "cat $work/$log.csv > $work/copy.csv" \
    "cat $work/$log.KLD > /dev/null; cat $work/$log.csv > $work/copy.csv"
  /usr/bin/time -f "peak memory: %M KiB" $csv_only >/dev/null
  ratio "$all_outputs / CSV only (at most 1.20)" "$csv_only" \
    "build/trelvox -f $all_outputs $work/$log.KLD"
  /usr/bin/time -f "peak memory with every output: %M KiB" \
    build/trelvox -f $all_outputs "$work/$log.KLD" >/dev/null
  ratio "--report / CSV only (at most 1.30)" "$csv_only" "build/trelvox -f --report $work/$log.KLD"
done
