#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
# The print test needs a default printer that writes PDF files.
./scripts/setup-printer.sh
cd build
ctest --output-on-failure -j2 --timeout 300
