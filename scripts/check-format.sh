#!/usr/bin/env bash
# Fails when a tracked C or C++ source differs from .clang-format; `make format` mends them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.cc')
if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/tolvane-format.$$; then
  grep -o '^[^:]*:[0-9]*:[0-9]*' /tmp/tolvane-format.$$ | cut -d: -f1 | sort -u |
    sed 's/^/not formatted: /' >&2
  rm -f /tmp/tolvane-format.$$
  echo "run 'make format' to format them" >&2
  exit 1
fi
rm -f /tmp/tolvane-format.$$
