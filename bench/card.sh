#!/usr/bin/env bash
# Times build/trelvox against the trelvox of an earlier commit on what pilots convert: a card of 60
# flights of 6,000 records (the demo flight) with every output and with the CSV alone, and one
# 200,000-record log with the CSV alone. Prints each build's median wall time and CPU time (user +
# system, from the rusage wait4 gives for the child) and the ratios new / old.
#   bash bench/card.sh [COMMIT] [ROUNDS]     (default: f065175, 7 rounds)
# The two builds take turns, in alternating order, so that a busy spell of the host falls on both.
# The logs and outputs live in memory (/dev/shm where there is one), so that the disk adds nothing;
# outputs are removed before every run, so that both builds write every file anew. COMMIT is built
# once in a temporary worktree (through ccache where CMAKE_CXX_COMPILER_LAUNCHER says so) and its
# program kept as build-bench/trelvox-SHA for later runs.
set -euo pipefail
cd "$(dirname "$0")/.."
commit=${1:-f065175}
rounds=${2:-7}
readonly flights=60 flight_records=6000 long_records=200000

[[ -x build/trelvox ]] || { echo "build/trelvox is missing: build first" >&2; exit 1; }
[[ $rounds =~ ^[1-9][0-9]*$ ]] || { echo "ROUNDS must be a positive number" >&2; exit 1; }
sha=$(git rev-parse --verify --quiet "$commit^{commit}") ||
  { echo "$commit names no commit" >&2; exit 1; }

memory=/dev/shm
[[ -d $memory && -w $memory ]] || memory=${TMPDIR:-/tmp}
work=$(mktemp -d "$memory/trelvox-card.XXXXXX")
source_tree=build-bench/source-$sha
cleanup() {
  rm -rf "$work"
  if [[ -d $source_tree ]]; then git worktree remove --force "$source_tree"; fi
}
trap cleanup EXIT

# The program of $sha, built unless an earlier run kept it.
old_build() {
  local program=build-bench/trelvox-$sha
  if [[ ! -x $program ]]; then
    echo "building $commit ($sha) in $source_tree" >&2
    git worktree add --detach --force "$source_tree" "$sha" >&2
    # The page's chart library is embedded from node_modules at build time.
    ln -s "$(realpath node_modules)" "$source_tree/node_modules"
    cmake -S "$source_tree" -B "build-bench/build-$sha" -DCMAKE_BUILD_TYPE=Release \
      -DTRELVOX_TESTS=OFF -DTRELVOX_BENCH=OFF >&2
    cmake --build "build-bench/build-$sha" --target trelvox -j2 >&2
    cp "build-bench/build-$sha/trelvox" "$program"
    rm -rf "build-bench/build-$sha"
    git worktree remove --force "$source_tree"
  fi
  echo "$program"
}
old=$(old_build)

source bench/make_logs.sh
repeat_demo_flight "$work/flight" "$flight_records"
for i in $(seq -w 1 "$flights"); do
  # Three models of twenty flights each, in folders of their own as on a card.
  folder="$work/card/model-$(((10#$i - 1) / 20 + 1))"
  mkdir -p "$folder"
  cp "$work/flight.KLD" "$folder/flight-$i.KLD"
  cp "$work/flight.KLI" "$folder/flight-$i.KLI"
done
rm "$work/flight.KLD" "$work/flight.KLI"
repeat_demo_flight "$work/long" "$long_records"

echo "old: $commit ($old), new: build/trelvox; $rounds rounds; $(nproc) cores," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg); in $memory"
python3 - "$work" "$rounds" "$old" build/trelvox <<'PY'
import os, pathlib, statistics, subprocess, sys, time

work, rounds, builds = pathlib.Path(sys.argv[1]), int(sys.argv[2]), sys.argv[3:5]
workloads = [
    ("card, every output", ["-r", "--summary", "--json", "--gpx", "--kml", "--report",
                            str(work / "card")]),
    ("card, CSV", ["-r", str(work / "card")]),
    ("200,000 records, CSV", [str(work / "long.KLD")]),
]

def remove_outputs():
    for path in work.rglob("*"):
        if path.is_file() and path.suffix not in (".KLD", ".KLI"):
            path.unlink()

# Wall and CPU seconds of one conversion, outputs written anew.
def timed(program, arguments):
    remove_outputs()
    start = time.perf_counter()
    child = subprocess.Popen([program, "-f", *arguments], stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)  # reaped here: Popen must not wait again
    if child.returncode != 0:
        sys.exit(f"{program} {' '.join(arguments)} ended with status {child.returncode}")
    return wall, usage.ru_utime + usage.ru_stime

times = {(name, build): [] for name, _ in workloads for build in builds}
for name, arguments in workloads:  # one run each untimed, so that both start from warm caches
    for build in builds:
        timed(build, arguments)
for turn in range(rounds):
    for name, arguments in workloads:
        for build in builds if turn % 2 == 0 else reversed(builds):
            times[(name, build)].append(timed(build, arguments))
remove_outputs()

def median(name, build, which):
    return statistics.median(run[which] for run in times[(name, build)])

print(f"{'workload':<22}{'old wall':>10}{'new wall':>10}{'ratio':>7}"
      f"{'old CPU':>10}{'new CPU':>10}{'ratio':>7}")
for name, _ in workloads:
    row = f"{name:<22}"
    for which in (0, 1):
        old, new = (median(name, build, which) for build in builds)
        row += f"{old:>9.3f}s{new:>9.3f}s{new / old:>7.2f}"
    print(row)
PY
