#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package is reproducible: the package of BUILD_DIR and the package of a second build,
# made from a copy of the same tree in another folder with other file times, are identical
# byte for byte when both are made with the same SOURCE_DATE_EPOCH (as Debian's builds set
# it). The second build takes the first one's settings and builds only what the package
# holds.
# Usage: reproducible_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The date of the latest entry of dist/changelog, as Debian's package builds take it.
SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' "$src/dist/changelog" | head -n 1)" +%s)
export SOURCE_DATE_EPOCH
echo "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

package() { # BUILD_DIR OUT_DIR
  cpack --config "$1/CPackConfig.cmake" -B "$2" >"$2.log" 2>&1 || { cat "$2.log"; exit 1; }
  ls "$2"/mengjian_*.deb
}

first=$(package "$build" "$scratch/first")

# The copy's files all carry the time of the copy, not the tree's.
copy=$scratch/tree
mkdir "$copy"
tar -C "$src" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$copy" -xf - --touch
settings=()
for name in CMAKE_BUILD_TYPE MENGJIAN_MAKER_URL MENGJIAN_SIBLING_URL MENGJIAN_DEBIAN_BUILD_FLAGS; do
  value=$(sed -n "s/^$name:[A-Z]*=//p" "$build/CMakeCache.txt")
  settings+=("-D$name=$value")
done
cmake -S "$copy" -B "$scratch/build" -G Ninja "${settings[@]}" -DMENGJIAN_BUILD_TESTS=OFF \
  -DMENGJIAN_BUILD_BENCH=OFF >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log"; exit 1; }
cmake --build "$scratch/build" >"$scratch/build.log" 2>&1 || { tail -n 30 "$scratch/build.log"; exit 1; }
second=$(package "$scratch/build" "$scratch/second")

sha256sum "$first" "$second"
if ! cmp -s "$first" "$second"; then
  diff <(dpkg-deb -I "$first" md5sums) <(dpkg-deb -I "$second" md5sums) || true
  echo "two builds of the same tree give different packages"
  exit 1
fi
echo "the two packages are identical"
