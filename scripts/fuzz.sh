#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (the "fuzz" preset) and runs each for a while. Usage: scripts/fuzz.sh [SECONDS_EACH]   (default 60)
# Fails when a run fails: a non-zero exit status of the fuzzer, or any crash-, leak-,
# timeout- or oom- file it left. Each run keeps its log and those files in a folder of its
# own, build-fuzz/runs/TIME-PID/TARGET/, so that what one run found never fails a later one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/install-deps.sh
./scripts/configure-preset.sh fuzz build-fuzz
cmake --build --preset fuzz
run=build-fuzz/runs/$(date -u +%Y%m%dT%H%M%SZ)-$$
failed=()
for target in fuzz_lookup fuzz_input_check fuzz_reading; do
  corpus=build-fuzz/corpus/$target
  artifacts=$run/$target
  mkdir -p "$corpus" "$artifacts"
  echo "== $target, $seconds s"
  status=0
  build-fuzz/fuzz/$target -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$artifacts/fuzzer.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|==|SUMMARY)' "$artifacts/fuzzer.log" || true
  found=$(find "$artifacts" -maxdepth 1 -type f \
            \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) -printf '%f ')
  if [ "$status" -ne 0 ] || [ -n "$found" ]; then
    echo "fuzzing $target failed: exit status $status${found:+, found $found}(log and inputs in $artifacts)" >&2
    failed+=("$target")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing failed: ${failed[*]}" >&2; exit 1; }
echo "fuzzing: no failure"
