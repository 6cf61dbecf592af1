#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures a build folder with a preset of CMakePresets.json unless it holds a finished
# configuration of that preset already; extra arguments always configure and go to CMake.
# Usage: scripts/configure-preset.sh PRESET BUILD_DIR [CMAKE_ARGUMENTS...]
#
# A finished configuration has a cache made with Ninja and the presets' MENGJIAN_WERROR,
# and a build.ninja no older than that cache: a successful configure writes build.ninja
# last, a failed one leaves the cache it changed newer than build.ninja (or no build.ninja
# at all). Anything else (no folder, no cache, a failed configure, another generator, a
# folder from before the presets) is configured afresh: the old cache is dropped, since a
# cache of another generator or of a failed configure would fail every later configure and
# build the same way.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
dir=$2
shift 2
cache=$dir/CMakeCache.txt
if [ -f "$dir/build.ninja" ] && ! [ "$cache" -nt "$dir/build.ninja" ] \
   && grep -qs '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache" && grep -qs '^MENGJIAN_WERROR:' "$cache"; then
  [ $# -eq 0 ] || cmake --preset "$preset" "$@"
else
  cmake --preset "$preset" --fresh "$@"
fi
