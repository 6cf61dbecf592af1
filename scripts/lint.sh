#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Static analysis: cppcheck on src/, then the naming check (.clang-tidy, described in
# CONTRIBUTING.md) on every source of src/, tests/, bench/, fuzz/ and tools/ that the build
# compiles, then the house style (clang-format, licence lines). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# The naming check reads the compile commands and the generated sources of a build.
./scripts/build.sh >/dev/null
cppcheck --enable=warning,performance,portability,style --std=c++20 --library=qt \
  --inline-suppr --error-exitcode=1 -q -I src -I build/generated \
  --suppress=missingIncludeSystem src/
echo "cppcheck: src/ is clean"
run-clang-tidy -p build -quiet -j2 "$PWD/(src|tests|bench|fuzz|tools)/" >build/clang-tidy.log 2>&1 || {
  grep -E '(warning|error):' build/clang-tidy.log >&2 || cat build/clang-tidy.log >&2
  echo "naming check: findings above (rules in CONTRIBUTING.md)" >&2
  exit 1
}
echo "naming check: clean"
# The house style and the licence line of every source (scripts/format.sh fixes both).
./scripts/format.sh --check
