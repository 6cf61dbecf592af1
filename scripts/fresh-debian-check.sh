#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the README's two commands on a fresh, minimal Debian 12: builds a root with
# debootstrap, copies the committed tree in, and runs both commands inside it (the program
# itself on the offscreen platform, for a few seconds). Needs root and Debian's mirror.
# Usage: scripts/fresh-debian-check.sh [ROOT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-/var/tmp/mengjian-fresh}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

command -v debootstrap >/dev/null || { apt-get update -q && apt-get install -y -q debootstrap; }
if [ ! -x "$root/bin/bash" ]; then
  rm -rf "$root"
  time debootstrap --variant=minbase bookworm "$root" "$mirror"
fi

rm -rf "$root/src/mengjian"
mkdir -p "$root/src/mengjian"
git archive HEAD | tar -x -C "$root/src/mengjian"

mount_all() {
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount -t sysfs sys "$root/sys"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
}
umount_all() { umount -l "$root/proc" "$root/dev" "$root/sys" 2>/dev/null || true; }
trap umount_all EXIT
mount_all

echo "== the run command"
time chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  QT_QPA_PLATFORM=offscreen bash -c '
    cd /src/mengjian
    ./scripts/run.sh & runner=$!
    # The command ends by replacing itself with the program; it must come up and stay up.
    # Its process runs the program file only then (its command line would not tell: before
    # the command starts, its process is a copy of this shell, whose text names the program).
    started=
    while kill -0 $runner 2>/dev/null; do
      case "$(readlink /proc/$runner/exe)" in
        */build/src/app/mengjian) started=yes; break ;;
      esac
      sleep 1
    done
    [ -n "$started" ] || { wait $runner; echo "the program did not start"; exit 1; }
    sleep 5
    kill -0 $runner 2>/dev/null || { echo "the program stopped"; exit 1; }
    kill $runner; wait $runner 2>/dev/null || true
    echo "the program started and ran"'

echo "== the test command"
time chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  bash -c 'cd /src/mengjian && ./scripts/test.sh'
