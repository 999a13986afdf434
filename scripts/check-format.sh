#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as the repository's .clang-format says;
# prints the places that are not and fails. `clang-format -i <file>` lays a file out.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" --format
cd "${root}"
find src tests benchmarks fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 \
    | xargs -0 clang-format --dry-run --Werror
echo "PASS: every C++ file is formatted as .clang-format says"
