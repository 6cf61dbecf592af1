#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and peak memory of 梦鉴 beside a bare Qt window (and the same window with
# one line of Chinese text in the program's face), measured from outside:
# from the start of the process until the window is mapped (seen by xdotool search), and the
# peak resident set size (GNU time); then the first answer after start and a warm one, from
# the keys "钟" and Enter to the painted result (mengjian-first-answer, in-process clock).
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-10}
# The X server picks a free display itself and names it on the pipe once it takes
# connections.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
display=:$number
export DISPLAY=$display QT_QPA_PLATFORM=xcb

measure() { # program -> "milliseconds kilobytes"
  local program=$1 start end rss log
  log=$(mktemp)
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$log" "$program" 2>/dev/null &
  local pid=$!
  # Poll every few milliseconds: xdotool's own --sync waits half a second between looks.
  local deadline=$(( $(date +%s) + 20 ))
  until xdotool search --onlyvisible --name '梦鉴' >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$(date +%s)" -gt "$deadline" ]; then
      echo "$program did not show its window" >&2
      cat "$log" >&2
      exit 1
    fi
    sleep 0.005
  done
  end=$(date +%s%N)
  pkill -P "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rss=$(tail -n 1 "$log")
  rm -f "$log"
  echo "$(( (end - start) / 1000000 )) $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for program in "$build/bench/mengjian-bare-window" "$build/bench/mengjian-bare-window-text" \
               "$build/src/app/mengjian"; do
  times=(); mems=()
  for _ in $(seq "$runs"); do
    read -r ms kb < <(measure "$program")
    times+=("$ms"); mems+=("$kb")
  done
  printf '%-40s start-up median %4d ms   peak RSS median %6d KiB\n' "$(basename "$program")" \
    "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${mems[@]}" | median)"
done

firsts=(); warms=(); lists=()
for _ in $(seq "$runs"); do
  read -r _ first _ warm _ list < <("$build/bench/mengjian-first-answer" 2>/dev/null)
  firsts+=("$first"); warms+=("$warm"); lists+=("$list")
done
printf '%-40s first answer median %6s ms   warm answer median %6s ms\n' "mengjian-first-answer" \
  "$(printf '%s\n' "${firsts[@]}" | median)" "$(printf '%s\n' "${warms[@]}" | median)"
printf '%-40s one key to the painted suggestion list, median %6s ms\n' "" \
  "$(printf '%s\n' "${lists[@]}" | median)"

# The program's peak memory once its idle time has done its work: 1.5 s after the map.
peaks=()
for _ in $(seq "$runs"); do
  "$build/src/app/mengjian" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '梦鉴' >/dev/null 2>&1; do sleep 0.005; done
  sleep 1.5
  peaks+=("$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")")
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
printf '%-40s peak RSS 1.5 s after the map, median %6s KiB\n' "mengjian" \
  "$(printf '%s\n' "${peaks[@]}" | median)"
