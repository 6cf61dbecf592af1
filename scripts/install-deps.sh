#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing need.
# Quick when everything is already there: apt-get runs only for what is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libicu-dev libcups2-dev libxcb1-dev libbenchmark-dev
  # run: a Song-style CJK face for "宋体", a browser opener (the X platform plugin comes
  # with libqt6gui6)
  fonts-arphic-uming xdg-utils
  # tests: a virtual X server and the tools that drive and read it
  xvfb xauth x11-utils xdotool xclip imagemagick
  # window placement and input-method tests: a window manager, the pinyin input method with
  # its Qt 6 front end, and a private D-Bus session for it
  openbox fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 dbus-daemon
  # accessibility test: the accessibility bus and its registry, and a client of it in Python
  at-spi2-core gir1.2-atspi-2.0 python3-gi
  # the Wayland test: weston's headless compositor, Qt's Wayland platform, and libweston's
  # headers for the test's own input seat
  weston qt6-wayland libweston-10-dev
  # static analysis and fuzzing (clang with its libFuzzer runtime)
  cppcheck clang clang-tidy libclang-rt-14-dev
  # packaging checks
  dpkg-dev file desktop-file-utils appstream appstream-compose lintian
  # formatting
  clang-format
  # printing tests: a private CUPS scheduler (the tests start their own) and the tools that
  # read the PDF files its queues write
  cups cups-client poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
