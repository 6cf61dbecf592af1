#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's build command recovers from whatever a build folder was left with: a failed
# configure (here: the user's own "cmake -B build" on a machine without Qt), a finished
# configure with another generator, a folder without build.ninja, a folder without cache.
# Each is made in build/ of a copy of the tree, then scripts/build.sh must configure that
# folder and build there. The copy's release preset leaves the window, tests and benchmarks
# out and its build preset builds the text library alone, so that each build stays short;
# the folder keeps its objects from case to case, and only the library's archive is made
# again, as the proof that the build ran.
# Usage: build_scripts_test.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree=$scratch/tree
mkdir "$tree"
tar -C "$src" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$tree" -xf -
sed -i 's/"CMAKE_BUILD_TYPE": "Release"/"CMAKE_BUILD_TYPE": "Release", "MENGJIAN_BUILD_GUI": "OFF", "MENGJIAN_BUILD_TESTS": "OFF", "MENGJIAN_BUILD_BENCH": "OFF"/' \
  "$tree/CMakePresets.json"
sed -i 's/{ "name": "release", "configurePreset": "release",/& "targets": ["text"],/' \
  "$tree/CMakePresets.json"
grep -q '"MENGJIAN_BUILD_GUI": "OFF"' "$tree/CMakePresets.json" \
  && grep -q '"targets": \["text"\]' "$tree/CMakePresets.json" || {
  echo "the copy's release presets could not be narrowed"; exit 1; }
build=$tree/build
lean=(-DMENGJIAN_BUILD_GUI=OFF -DMENGJIAN_BUILD_TESTS=OFF -DMENGJIAN_BUILD_BENCH=OFF)

# How each case leaves build/; the cases run in this order, each on what the last left.
break_build_folder() {
  case $1 in
    "failed configure")
      rm -rf "$build"
      ! cmake -S "$tree" -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null 2>&1 ;;
    "failed configure over a finished one")
      ! cmake -S "$tree" -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null 2>&1 ;;
    "another generator") # as a new folder would be: no build.ninja, no CMakeFiles/ of Ninja
      rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles" "$build/build.ninja"
      cmake -S "$tree" -B "$build" -G "Unix Makefiles" -DMENGJIAN_WERROR=ON "${lean[@]}" >/dev/null ;;
    "no build.ninja")
      rm "$build/build.ninja" ;;
    "no cache")
      rm "$build/CMakeCache.txt" ;;
  esac
}

for case_name in "failed configure" "failed configure over a finished one" "another generator" \
                 "no build.ninja" "no cache"; do
  break_build_folder "$case_name" || { echo "$case_name: could not prepare the build folder"; exit 1; }
  rm -f "$build/src/text/libtext.a"
  "$tree/scripts/build.sh" >"$scratch/build.log" 2>&1 || {
    tail -n 30 "$scratch/build.log"; echo "$case_name: scripts/build.sh failed"; exit 1; }
  [ -s "$build/src/text/libtext.a" ] || { echo "$case_name: scripts/build.sh built nothing"; exit 1; }
  grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$build/CMakeCache.txt" || {
    echo "$case_name: scripts/build.sh left a folder of another generator"; exit 1; }
  echo "$case_name: scripts/build.sh configured and built"
done
echo "build scripts ok"
