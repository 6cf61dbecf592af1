#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb, has lintian judge it (no error, no warning), unpacks it into a scratch
# root, and runs its programs from there.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/mengjian_*.deb)
echo "package: $(basename "$deb")"

# Debian's own judgement of the package: any error or warning fails the test.
command -v lintian >/dev/null || {
  echo "lintian is not installed (scripts/install-deps.sh installs it)"; exit 1; }
lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1) || {
  echo "$lintian_out"; echo "lintian finds errors or warnings in the package"; exit 1; }
[ -z "$lintian_out" ] || echo "$lintian_out"
echo "lintian: no error, no warning"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 libicu72 fonts-arphic-uming xdg-utils; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed"; exit 1; }
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/mengjian usr/bin/mengjian-lookup \
         usr/share/applications/org.example.ruilan.mengjian.desktop \
         usr/share/metainfo/org.example.ruilan.mengjian.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.example.ruilan.mengjian.svg \
         usr/share/icons/hicolor/48x48/apps/org.example.ruilan.mengjian.png \
         usr/share/icons/hicolor/256x256/apps/org.example.ruilan.mengjian.png \
         usr/share/man/man1/mengjian.1.gz usr/share/man/man1/mengjian-lookup.1.gz \
         usr/share/doc/mengjian/copyright usr/share/doc/mengjian/changelog.gz; do
  [ -e "$root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done

out=$("$root/usr/bin/mengjian-lookup" 钟)
echo "$out"
grep -q '^【钟】' <<<"$out"
grep -q '钟2' <<<"$out"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/org.example.ruilan.mengjian.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.ruilan.mengjian.metainfo.xml"
fi
echo "package ok"
