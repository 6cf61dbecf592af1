#!/usr/bin/env bash
# Installs what is missing, builds, and starts 梦鉴.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
if [ -x build/src/app/mengjian ]; then
  exec build/src/app/mengjian
fi
exec build/src/cli/mengjian-lookup --help
