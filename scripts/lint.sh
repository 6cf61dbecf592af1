#!/usr/bin/env bash
# Static analysis of src/ with cppcheck; fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
[ -f build/generated/mengjian/config.h ] || ./scripts/build.sh
cppcheck --enable=warning,performance,portability,style --std=c++20 --library=qt \
  --inline-suppr --error-exitcode=1 -q -I src -I build/generated \
  --suppress=missingIncludeSystem src/
echo "cppcheck: src/ is clean"
