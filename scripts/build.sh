#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ with the "release" preset (Release, warnings are errors).
# Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/configure-preset.sh release build "$@"
cmake --build --preset release
