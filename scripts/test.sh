#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, builds into build/, starts a
# private Xvfb display for the tests that need one and runs CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh"
build_dir="${ZKM_BUILD_DIR:-${root}/build}"
ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh"

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb

cd "${build_dir}"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
