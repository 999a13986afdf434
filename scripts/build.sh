#!/usr/bin/env bash
# Configures and builds the project into build/ (or $ZKM_BUILD_DIR) with extra CMake arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${ZKM_BUILD_DIR:-${root}/build}"
# Compiler cache entries are shared between clones of the project (paths relative to the root).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-${root}}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S "${root}" -B "${build_dir}" -DCMAKE_BUILD_TYPE="${ZKM_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "${build_dir}" --parallel "$(nproc)"
