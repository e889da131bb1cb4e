#!/usr/bin/env bash
# Times build/trelvox on a log of 200,000 records (group 0 full of decoders) against `cat` of the
# CSV it produced, and prints the ratio. Also reports the converter's peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/make_bench_log "$work/bench" "$records"
build/trelvox -f "$work/bench.KLD" >/dev/null
echo "log: $(stat -c %s "$work/bench.KLD") bytes, CSV: $(stat -c %s "$work/bench.csv") bytes"

hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
  -n trelvox "build/trelvox -f $work/bench.KLD" \
  -n cat "cat $work/bench.csv > $work/copy.csv"
python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
print(f"trelvox / cat = {results['trelvox'] / results['cat']:.2f}")
PY
if command -v /usr/bin/time >/dev/null; then
  /usr/bin/time -f "peak memory: %M KiB" build/trelvox -f "$work/bench.KLD" >/dev/null
fi
