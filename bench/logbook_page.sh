#!/usr/bin/env bash
# The logbook page on a large card: 500 logs of 6,000 records (the demo flight repeated) in 5
# model folders, dated over 100 days. Compares `--no-csv --logbook-page` with `--no-csv --logbook`
# on the same card (median wall and CPU time over ROUNDS runs each, taking turns; peak RSS), gives
# the growth of peak RSS per log (500 logs against 100), the page's size and how soon headless
# Chromium shows the page's table and charts.
#   bash bench/logbook_page.sh [ROUNDS]     (default 5; build/trelvox built first)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
readonly models=5 logs_per_model=100 log_records=6000

[[ -x build/trelvox ]] || { echo "build/trelvox is missing: build first" >&2; exit 1; }
memory=/dev/shm
[[ -d $memory && -w $memory ]] || memory=${TMPDIR:-/tmp}
work=$(mktemp -d "$memory/trelvox-logbook.XXXXXX")
trap 'rm -rf "$work"' EXIT

source bench/make_logs.sh
repeat_demo_flight "$work/flight" "$log_records"
for m in $(seq 1 "$models"); do
  mkdir -p "$work/card/model-$m" "$work/small/model-$m"
  for i in $(seq -w 1 "$logs_per_model"); do
    cp "$work/flight.KLD" "$work/card/model-$m/log-$i.KLD"
    cp "$work/flight.KLI" "$work/card/model-$m/log-$i.KLI"
    touch -d "2026-01-01 + $((10#$i)) days" "$work/card/model-$m/log-$i.KLD"
    if ((10#$i <= logs_per_model / 5)); then
      ln "$work/card/model-$m/log-$i.KLD" "$work/small/model-$m/log-$i.KLD"
      ln "$work/card/model-$m/log-$i.KLI" "$work/small/model-$m/log-$i.KLI"
    fi
  done
done
rm "$work/flight.KLD" "$work/flight.KLI"

echo "$((models * logs_per_model)) logs of $log_records records; $rounds rounds; $(nproc) cores," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg); in $memory"
python3 - "$work" "$rounds" build/trelvox <<'PY'
import os, pathlib, statistics, subprocess, sys, time

work, rounds, program = pathlib.Path(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
workloads = {
    "--logbook": ["--logbook", str(work / "book.csv")],
    "--logbook-page": ["--logbook-page", str(work / "book.html")],
}

# Wall seconds, CPU seconds and peak RSS (KB) of one run over `card`.
def timed(arguments, card="card"):
    start = time.perf_counter()
    child = subprocess.Popen([program, "-f", "-r", "--no-csv", *arguments, str(work / card)],
                             stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(arguments)} ended with status {status}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss

runs = {name: [] for name in workloads}
for name, arguments in workloads.items():
    timed(arguments)  # warm caches
for turn in range(rounds):
    for name in workloads if turn % 2 == 0 else reversed(list(workloads)):
        runs[name].append(timed(workloads[name]))

def median(name, which):
    return statistics.median(run[which] for run in runs[name])

print(f"{'':<16}{'wall':>9}{'CPU':>9}{'peak RSS':>12}")
for name in workloads:
    print(f"{name:<16}{median(name, 0):>8.3f}s{median(name, 1):>8.3f}s"
          f"{median(name, 2) / 1024:>10.1f}MB")
page, book = "--logbook-page", "--logbook"
print(f"page / logbook: wall {median(page, 0) / median(book, 0):.3f}, "
      f"CPU {median(page, 1) / median(book, 1):.3f}")
small = statistics.median(timed(workloads[page], "small")[2] for _ in range(3))
print(f"peak RSS growth: {(median(page, 2) - small) / 400:.2f} KB per log (500 logs against 100)")
timed(workloads[page])
print(f"page size: {(work / 'book.html').stat().st_size / 1e6:.2f} MB")
PY
if [[ -x /usr/bin/chromium ]] && command -v node >/dev/null; then
  node bench/logbook_page_browser.mjs "$work/book.html"
fi
