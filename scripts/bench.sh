#!/usr/bin/env bash
# Builds the benchmark program and the editor into build/ (with ZKM_BUILD_BENCHMARKS on), runs them on
# a private virtual display and prints one table of figures against their goals.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" || exit 1
build_dir="${ZKM_BUILD_DIR:-${root}/build}"
ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" -DZKM_BUILD_BENCHMARKS=ON || exit 1

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1

json="${build_dir}/benchmarks.json"
"${build_dir}/benchmarks/zkm_benchmarks" --benchmark_format=json --benchmark_out="${json}" \
    --benchmark_out_format=json >/dev/null || exit 1

python3 "${root}/scripts/bench_report.py" "${json}" \
    "${build_dir}/bin/ZKMEditor" "${build_dir}/benchmarks/zkm_minimal_window"
