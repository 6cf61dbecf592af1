#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (the "fuzz" preset) and runs each for a while. Usage: scripts/fuzz.sh [SECONDS_EACH]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/install-deps.sh
# A missing build folder, or one from before the presets, is configured with the preset.
grep -qs '^MENGJIAN_WERROR:' build-fuzz/CMakeCache.txt || cmake --preset fuzz
cmake --build --preset fuzz
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
