#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (the "asan" preset) and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/configure-preset.sh asan build-asan
cmake --build --preset asan
# The package tests stay with the release build: a package is never made from a sanitizer
# build, which carries neither Debian's hardening flags nor a reproducible binary.
# The test preset sets the sanitizers' options: leaks are errors, the known leaks outside our
# code are suppressed (scripts/lsan.supp), and the X keyboard library's reads of atom names
# with strndup past their allocation (not our code) are not intercepted, since that
# interceptor would stop every run on the real display.
ctest --preset asan
