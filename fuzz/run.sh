#!/usr/bin/env bash
# Builds the fuzz target with clang (coverage, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs it for the given number of seconds (default 600). Crashing inputs land in fuzz/regressions/
# candidates; move each into fuzz/regressions once its fault is fixed, so the tests replay it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CXX=clang++ cmake -S . -B build-fuzz -DTRELVOX_FUZZ=ON -DTRELVOX_TESTS=OFF -DTRELVOX_BENCH=OFF -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build build-fuzz -j2 --target fuzz_conversion
mkdir -p build-fuzz/corpus fuzz/regressions/candidates
build/make_demo_log build-fuzz/seed >/dev/null 2>&1 || true
if [ -f build-fuzz/seed.KLD ]; then
  # Seeds: info length 132, comma separators, the demo log's files; the CSV alone, and with every
  # further output.
  { printf '\x84\x00'; cat build-fuzz/seed.KLI; head -c 8200 build-fuzz/seed.KLD; } > build-fuzz/corpus/demo
  { printf '\x84\x04'; cat build-fuzz/seed.KLI; head -c 8200 build-fuzz/seed.KLD; } > build-fuzz/corpus/demo-every-output
fi
build-fuzz/fuzz_conversion -max_total_time="$seconds" -max_len=20000 -timeout=10 \
  -artifact_prefix=fuzz/regressions/candidates/ build-fuzz/corpus fuzz/regressions
