#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what the repo's .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/orvelt-format.$$; then
  grep -E '^[^ ].*: (error|warning)' /tmp/orvelt-format.$$ | sed 's/:.*//' | sort -u | sed 's/^/unformatted: /' >&2
  rm -f /tmp/orvelt-format.$$
  echo "check-format: run clang-format -i on the files above" >&2
  exit 1
fi
rm -f /tmp/orvelt-format.$$
