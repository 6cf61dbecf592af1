#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts 梦鉴.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
if [ -x build/src/app/mengjian ]; then
  exec build/src/app/mengjian
fi
exec build/src/cli/mengjian-lookup --help
