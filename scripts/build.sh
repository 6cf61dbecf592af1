#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ with the "release" preset (Release, warnings are errors).
# Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
# A missing build folder, or one from before the presets, is configured with the preset.
if [ $# -gt 0 ] || ! grep -qs '^MENGJIAN_WERROR:' build/CMakeCache.txt; then
  cmake --preset release "$@"
fi
cmake --build --preset release
