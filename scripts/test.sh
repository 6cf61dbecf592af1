#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test. The tests start their own X
# displays and their own print server and stop them again; the machine's printers, its
# print system's configuration and its display are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
ctest --preset release
