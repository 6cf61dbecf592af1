#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a packager meets when configuring and building the tree: a configure without Google
# Benchmark succeeds and leaves the benchmarks out, unless they are asked for; a compiler
# warning fails the build only when MENGJIAN_WERROR is on.
# Usage: build_settings_test.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The lookup tool alone: the smallest configure that still has compiled targets.
configure() {
  local dir=$1; shift
  cmake -S "$src" -B "$scratch/$dir" -G Ninja -DMENGJIAN_BUILD_GUI=OFF -DMENGJIAN_BUILD_TESTS=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON "$@" >"$scratch/$dir.log" 2>&1
}

configure plain || { cat "$scratch/plain.log"; echo "a configure without Google Benchmark failed"; exit 1; }
if ninja -C "$scratch/plain" -t targets all | grep -q 'mengjian-bench'; then
  echo "the benchmarks are built although Google Benchmark was not found"; exit 1
fi
echo "configure without Google Benchmark: ok, no benchmarks"

if configure forced -DMENGJIAN_BUILD_BENCH=ON; then
  echo "MENGJIAN_BUILD_BENCH=ON configured without Google Benchmark"; exit 1
fi
echo "MENGJIAN_BUILD_BENCH=ON without Google Benchmark: configure stops, as asked"

# A warning the compiler gives for every source of the text library, as a newer compiler's
# new warning would.
printf '#warning "a compiler warning"\n' >"$scratch/warn.h"
configure lenient "-DCMAKE_CXX_FLAGS=-include $scratch/warn.h" || { cat "$scratch/lenient.log"; exit 1; }
cmake --build "$scratch/lenient" --target text >"$scratch/lenient-build.log" 2>&1 || {
  cat "$scratch/lenient-build.log"; echo "a warning broke the build without MENGJIAN_WERROR"; exit 1; }
grep -q 'a compiler warning' "$scratch/lenient-build.log" || {
  cat "$scratch/lenient-build.log"; echo "the probe warning was not given"; exit 1; }
echo "a warning without MENGJIAN_WERROR: the build succeeds"

configure strict -DMENGJIAN_WERROR=ON "-DCMAKE_CXX_FLAGS=-include $scratch/warn.h" || {
  cat "$scratch/strict.log"; exit 1; }
if cmake --build "$scratch/strict" --target text >"$scratch/strict-build.log" 2>&1; then
  echo "a warning did not fail the build with MENGJIAN_WERROR=ON"; exit 1
fi
grep -q 'error: #warning "a compiler warning"' "$scratch/strict-build.log" || {
  cat "$scratch/strict-build.log"; echo "the build failed, but not on the warning"; exit 1; }
echo "a warning with MENGJIAN_WERROR=ON: the build fails"
echo "build settings ok"
