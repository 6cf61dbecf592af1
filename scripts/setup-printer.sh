#!/usr/bin/env bash
# Makes a CUPS queue that writes PDF files the default printer, so that printing can be
# tested end to end: starts cupsd when it is not running, points CUPS-PDF at one fixed
# folder, creates the queue "mengjian-pdf" with the CUPS-PDF driver and makes it the
# default. Safe to run again. Prints the folder the PDF files go to.
set -euo pipefail

queue=mengjian-pdf
out_dir=/var/spool/cups-pdf/mengjian
conf=/etc/cups/cups-pdf.conf

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

for tool in cupsd lpstat lpadmin lpinfo; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || {
    echo "setup-printer: $tool is missing; run scripts/install-deps.sh first" >&2
    exit 1
  }
done
PATH=$PATH:/usr/sbin
if [ ! -f "$conf" ] || [ ! -e /usr/lib/cups/backend/cups-pdf ]; then
  echo "setup-printer: the CUPS-PDF driver is missing; run scripts/install-deps.sh first" >&2
  exit 1
fi

# Every job, whoever sends it, lands in one folder the tests know; each file name carries
# the job number, so jobs with the same title never overwrite each other; the files are
# readable by every user.
set_conf() {
  local key=$1 value=$2
  if grep -Eq "^[[:space:]]*#?[[:space:]]*${key}[[:space:]]" "$conf"; then
    $SUDO sed -i -E "s|^[[:space:]]*#?[[:space:]]*${key}[[:space:]].*|${key} ${value}|" "$conf"
  else
    echo "${key} ${value}" | $SUDO tee -a "$conf" >/dev/null
  fi
}
set_conf Out "$out_dir"
set_conf AnonDirName "$out_dir"
set_conf Label 1
set_conf UserUMask 0022
$SUDO install -d -m 0755 "$out_dir"

# There is no service manager here: start the scheduler by hand and wait for it.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  $SUDO cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    echo "setup-printer: cupsd did not start" >&2
    exit 1
  fi
fi

# The driver's model name as the scheduler knows it; the PPD file itself when the
# scheduler lists none.
model=$(lpinfo -m 2>/dev/null | grep -i 'cups-pdf' | grep -iv 'noopt' | head -n 1 | cut -d' ' -f1 || true)
[ -n "$model" ] || model=$(lpinfo -m 2>/dev/null | grep -i 'cups-pdf' | head -n 1 | cut -d' ' -f1 || true)
if [ -n "$model" ]; then
  $SUDO lpadmin -p "$queue" -E -v cups-pdf:/ -m "$model"
else
  ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF*.ppd 2>/dev/null | head -n 1 || true)
  if [ -z "$ppd" ]; then
    echo "setup-printer: no CUPS-PDF model found" >&2
    exit 1
  fi
  $SUDO lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd"
fi
$SUDO lpadmin -d "$queue"
$SUDO cupsenable "$queue" 2>/dev/null || true
$SUDO cupsaccept "$queue" 2>/dev/null || true

if [ "$(lpstat -d 2>/dev/null | sed -n 's/^.*: *//p')" != "$queue" ]; then
  echo "setup-printer: $queue did not become the default printer" >&2
  exit 1
fi
echo "setup-printer: default printer $queue; PDF files go to $out_dir"
