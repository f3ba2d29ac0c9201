#!/usr/bin/env bash
# Lays out every C++ file of the project with clang-format (.clang-format).
#   scripts/format.sh          rewrites the files in place
#   scripts/format.sh --check  changes nothing; lists the files that differ and
#                              exits 1 when there are any (run by scripts/test.sh)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
CLANG_FORMAT="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [ -z "$CLANG_FORMAT" ]; then
  echo "format.sh: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h')
if [ "${1:-}" = "--check" ]; then
  bad=()
  for f in "${files[@]}"; do
    "$CLANG_FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if [ "${#bad[@]}" -gt 0 ]; then
    printf 'format.sh: not laid out as .clang-format says (run scripts/format.sh):\n' >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
  fi
  echo "format.sh: ${#files[@]} files laid out as .clang-format says"
  exit 0
fi
"$CLANG_FORMAT" -i "${files[@]}"
