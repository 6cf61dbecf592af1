#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb, has lintian judge it (no error, no warning, no hardening tag at any
# level), unpacks it into a scratch root, checks its programs (no run path; they run from
# there) and composes its software-centre entry.
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
lintian_out=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || {
  echo "$lintian_out"; echo "lintian finds errors or warnings in the package"; exit 1; }
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -q 'hardening-' <<<"$lintian_out"; then
  echo "the programs lack Debian's hardening flags"; exit 1
fi
echo "lintian: no error, no warning, no hardening tag"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 libicu72 'fonts-arphic-uming | fonts-noto-cjk' xdg-utils; do
  grep -qF "$needed" <<<"$depends" || { echo "Depends lacks $needed"; exit 1; }
done
# The X platform plugin that the program loads comes with a package it depends on.
plugin=$(qtpaths6 --query QT_INSTALL_PLUGINS)/platforms/libqxcb.so
holder=$(dpkg -S "$plugin" | cut -d: -f1)
grep -qE "(^|, )$holder( |,|$)" <<<"$depends" || { echo "Depends lacks $holder, which holds $plugin"; exit 1; }

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

for program in "$root"/usr/bin/*; do
  if readelf -d "$program" | grep -E 'RPATH|RUNPATH'; then
    echo "$(basename "$program") has a run path"; exit 1
  fi
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
  # What a software centre shows: the composed catalogue keeps a language's description only
  # when every paragraph has it.
  appstreamcli compose --no-net --origin=mengjian --result-root="$scratch/catalog" "$root" \
    >"$scratch/compose.log" 2>&1 || { cat "$scratch/compose.log"; exit 1; }
  zcat "$scratch"/catalog/usr/share/swcatalog/xml/mengjian.xml.gz | grep -q '<description xml:lang="zh-CN">' || {
    cat "$scratch/compose.log"; echo "the composed entry lacks the Chinese description"; exit 1; }
  echo "composed entry: the Chinese description is there"
fi
echo "package ok"
