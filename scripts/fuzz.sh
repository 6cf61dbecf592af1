#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for a while. Usage: scripts/fuzz.sh [SECONDS_EACH]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/install-deps.sh
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMENGJIAN_BUILD_FUZZERS=ON -DMENGJIAN_BUILD_GUI=OFF -DMENGJIAN_BUILD_TESTS=OFF \
    -DMENGJIAN_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
fi
cmake --build build-fuzz -j2 --target fuzz_lookup fuzz_input_check
for target in fuzz_lookup fuzz_input_check; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target, $seconds s"
  build-fuzz/fuzz/$target -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=4096 -print_final_stats=1 \
    "$corpus" 2>&1 | grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|==|SUMMARY)' || true
  # A crash leaves a crash-* file and a non-zero status from the run above.
  if ls crash-* leak-* timeout-* >/dev/null 2>&1; then
    echo "fuzzing $target found a failure" >&2
    exit 1
  fi
done
