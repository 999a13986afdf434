#!/usr/bin/env bash
# Builds the soak program into build/ (or $ZKM_BUILD_DIR, with ZKM_BUILD_BENCHMARKS on) and runs it on a
# private virtual display with a private home folder, so that the devices remembered by the user are
# neither read nor changed. Prints one line per round (wall time, attempts and retries, requests,
# alerts, resident memory) and the growth of memory from round to round; fails when a check fails.
# Extra arguments go to the program: --windows N (24), --rounds N (2), --drop-every N (50),
# --duplicate-every N (30), --unrelated 0|1 (1), --round-limit-seconds N (1800).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${ZKM_BUILD_DIR:-${root}/build}"
ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" -DZKM_BUILD_BENCHMARKS=ON >/dev/null || exit 1

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1

home="$(mktemp -d)"
HOME="${home}" "${build_dir}/soak/zkm_soak" "$@"
status=$?
rm -rf "${home}"
exit ${status}
