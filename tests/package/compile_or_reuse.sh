#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler launcher of reproducible_test.sh's second build: an object whose compile command
# is the first build's but for the folders, and whose every input file (source, headers of
# the tree, generated headers) is byte for byte the first build's, is taken from the first
# build; any other object is compiled. What a build makes of its own folder or time then
# shows in what is compiled again, and in the folder names the programs would carry.
# Environment: REUSE_LIST (objects whose commands match), REUSE_DEPS (ninja -t deps of the
# first build), REUSE_BUILD and REUSE_SOURCE (the first build's folders), REUSE_COPY (the
# second build's source folder). Runs in the second build's folder, as Ninja runs it.
# Usage: compile_or_reuse.sh COMPILER ARGUMENTS...
set -euo pipefail
out= depfile=
args=("$@")
for ((i = 1; i + 1 < ${#args[@]}; i++)); do
  case ${args[i]} in
    -o) out=${args[i + 1]} ;;
    -MF) depfile=${args[i + 1]} ;;
  esac
done

# The inputs of OBJECT in the first build, each with its counterpart in the second.
reusable() {
  [ -n "$out" ] && [ -n "$depfile" ] && [ -f "$REUSE_BUILD/$out" ] || return 1
  grep -qxF "$out" "$REUSE_LIST" || return 1
  local inputs f g deps=()
  inputs=$(awk -v head="$out:" '$1 == head { if ($0 !~ /\(VALID\)$/) exit; on = 1; next }
                                on && /^[^ ]/ { exit }
                                on && NF { print $1 }' "$REUSE_DEPS")
  [ -n "$inputs" ] || return 1
  while IFS= read -r f; do
    [[ $f == /* ]] || f=$(realpath -m "$REUSE_BUILD/$f")
    case $f in
      "$REUSE_BUILD"/*) g=$PWD/${f#"$REUSE_BUILD"/} ;;
      "$REUSE_SOURCE"/*) g=$REUSE_COPY/${f#"$REUSE_SOURCE"/} ;;
      *) g=$f ;;
    esac
    [ "$f" = "$g" ] || cmp -s "$f" "$g" || return 1
    deps+=("$g")
  done <<<"$inputs"
  mkdir -p "$(dirname "$out")"
  cp "$REUSE_BUILD/$out" "$out"
  printf '%s: %s\n' "$out" "${deps[*]}" >"$depfile"
}
reusable || exec "$@"
