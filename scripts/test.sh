#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, builds into build/ and runs CTest
# on a private Xvfb display that this script starts itself, the end-to-end tests of the real program
# included. The sanitizer builds of the suite are scripts/test-sanitizers.sh.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" || exit 1

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1

jobs="$(nproc)"
status=0

if ZKM_BUILD_DIR="${root}/build" bash "${root}/scripts/build.sh"; then
    (cd "${root}/build" && ctest --output-on-failure --parallel "${jobs}" --timeout 600) || status=1
else
    status=1
fi
exit ${status}
