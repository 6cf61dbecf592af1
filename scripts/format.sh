#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the tracked sources into the house style: clang-format (.clang-format) on the C++
# files, and the licence line "SPDX-License-Identifier: GPL-3.0-or-later" at the top of every
# C++, CMake and shell file (after the #! line of a script). Running it again changes nothing.
# Usage: scripts/format.sh           rewrite the files in place
#        scripts/format.sh --check   change nothing; list what would change, fail if anything would
set -euo pipefail
cd "$(dirname "$0")/.."

check=
case "${1:-}" in
  --check) check=yes ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

spdx='SPDX-License-Identifier: GPL-3.0-or-later'

# The style was tuned with clang-format 14; another version may wrap lines differently.
clang_format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$clang_format" ] || { echo "format: clang-format is missing; run scripts/install-deps.sh" >&2; exit 1; }
"$clang_format" --version | grep -q 'version 14\.' \
  || echo "format: $("$clang_format" --version) is not version 14; results may differ" >&2

mapfile -t cxx < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' \
  'bench/*.cpp' 'fuzz/*.h' 'fuzz/*.cpp' 'tools/*.h' 'tools/*.cpp')
mapfile -t cxx_templates < <(git ls-files -- '*.h.in')
mapfile -t cmake_files < <(git ls-files -- 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake')
# Shell scripts: *.sh, and the files without an extension whose first line runs a shell.
first_line() { local line=; IFS= read -r line <"$1" || true; printf '%s' "$line"; }
mapfile -t shell_files < <(git ls-files | while IFS= read -r f; do
  [ -f "$f" ] || continue
  case "${f##*/}" in
    *.sh) echo "$f" ;;
    *.*) ;;
    *) [[ $(first_line "$f") =~ ^#!.*[/\ ](ba|da)?sh$ ]] && echo "$f" ;;
  esac
done)

# Whether the licence line stands in the first two lines (a script's #! line comes first).
has_spdx() { [[ $(head -n 2 "$1") == *"$spdx"* ]]; }

# Puts the line $2 at the top of file $1, after its #! line if it has one.
add_line() {
  local file=$1 line=$2 tmp
  tmp=$(mktemp "$file.XXXXXX")
  if [[ $(first_line "$file") == '#!'* ]]; then
    { head -n 1 "$file"; printf '%s\n' "$line"; tail -n +2 "$file"; } >"$tmp"
  else
    { printf '%s\n' "$line"; cat "$file"; } >"$tmp"
  fi
  chmod --reference="$file" "$tmp"
  mv "$tmp" "$file"
}

status=0
licence() {
  local comment=$1; shift
  local f
  for f in "$@"; do
    has_spdx "$f" && continue
    if [ -n "$check" ]; then
      echo "no licence line: $f"
      status=1
    else
      add_line "$f" "$comment $spdx"
    fi
  done
}
licence '//' "${cxx[@]}" "${cxx_templates[@]}"
licence '#' "${cmake_files[@]}" "${shell_files[@]}"

if [ -n "$check" ]; then
  for f in "${cxx[@]}"; do
    "$clang_format" --style=file --dry-run -Werror "$f" >/dev/null 2>&1 || {
      echo "not formatted: $f"
      status=1
    }
  done
  [ $status -eq 0 ] && echo "format: every file is formatted and carries its licence line"
  exit $status
fi

"$clang_format" --style=file -i "${cxx[@]}"
echo "format: ${#cxx[@]} C++ files formatted; licence lines in place"
