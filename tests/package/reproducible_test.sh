#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package is reproducible: the package of BUILD_DIR and the package of a second build,
# made from a copy of the same tree in another folder with other file times, are identical
# byte for byte when both are made with the same SOURCE_DATE_EPOCH (as Debian's builds set
# it). The second build takes the first one's settings and builds only what the package
# holds; it takes from the first build each object whose command and input files are the
# same but for the folders (compile_or_reuse.sh), and makes everything else again: what is
# generated from the tree (pictures' resource, tables, meta-object code, icons, manual
# pages), whatever reads it, the links and the package. Since the objects taken over cannot
# show a folder the compiler wrote into them, the programs of both builds must name no
# folder of either build.
# Usage: reproducible_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
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
for name in CMAKE_BUILD_TYPE CMAKE_CXX_FLAGS MENGJIAN_WERROR MENGJIAN_MAKER_URL MENGJIAN_SIBLING_URL MENGJIAN_DEBIAN_BUILD_FLAGS; do
  value=$(sed -n "s/^$name:[A-Z]*=//p" "$build/CMakeCache.txt")
  settings+=("-D$name=$value")
done
second_build=$scratch/build
cmake -S "$copy" -B "$second_build" -G Ninja "${settings[@]}" -DMENGJIAN_BUILD_TESTS=OFF \
  -DMENGJIAN_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER="$here/compile_or_reuse.sh" \
  >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log"; exit 1; }

# Each build's compile commands, with its folders given the same names.
commands() { # BUILD_DIR SOURCE_DIR
  sed -n 's/^  "command": "\(.*\)",$/\1/p' "$1/compile_commands.json" \
    | sed -e "s|$1|@BUILD@|g" -e "s|$2|@SOURCE@|g" | sort
}
export REUSE_LIST=$scratch/reusable REUSE_DEPS=$scratch/deps REUSE_BUILD=$build REUSE_SOURCE=$src \
  REUSE_COPY=$copy
comm -12 <(commands "$build" "$src") <(commands "$second_build" "$copy") \
  | sed -n 's/.* -o \([^ ]*\) -c .*/\1/p' >"$REUSE_LIST"
# (A first build of another generator lends nothing.)
ninja -C "$build" -t deps >"$REUSE_DEPS" 2>/dev/null || : >"$REUSE_DEPS"
cmake --build "$second_build" >"$scratch/build.log" 2>&1 || { tail -n 30 "$scratch/build.log"; exit 1; }
echo "objects the first build may lend: $(wc -l <"$REUSE_LIST")"
second=$(package "$second_build" "$scratch/second")

sha256sum "$first" "$second"
if ! cmp -s "$first" "$second"; then
  diff <(dpkg-deb -I "$first" md5sums) <(dpkg-deb -I "$second" md5sums) || true
  echo "two builds of the same tree give different packages"
  exit 1
fi
echo "the two packages are identical"

for program in src/app/mengjian src/cli/mengjian-lookup; do
  for folder in "$src" "$build" "$copy" "$second_build"; do
    if grep -qaF "$folder" "$build/$program" "$second_build/$program"; then
      echo "$program names the build folder $folder"; exit 1
    fi
  done
done
echo "the programs name no folder of either build"
