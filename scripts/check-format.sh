#!/usr/bin/env bash
# Fails when a C++ source under src/ or tests/ differs from what the project's
# .clang-format makes of it, and names the lines; `clang-format -i FILE` (or
# `git clang-format` before a commit) mends them.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! find src tests \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror; then
  echo "check-format: the sources above differ from .clang-format" >&2
  exit 1
fi
