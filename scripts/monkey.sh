#!/usr/bin/env bash
# Runs the random-sequence test of the application with new random seeds for a while (default 30
# minutes; the first argument sets the minutes), each seed a fresh run of the test program of
# ZKM_RANDOM_STEPS steps (default 300). The suite itself runs a few fixed seeds of a small budget of
# steps; the long exploration is this script's. A failing seed stops the run and its steps are
# printed; `ZKM_RANDOM_SEED=<seed>` with the same ZKM_RANDOM_STEPS replays the same steps (the jobs'
# timing may differ). At the end it prints how many steps ran and how long a step took. Uses the
# AddressSanitizer build when there is one (build-asan/, made by scripts/test-sanitizers.sh), else
# build/.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
minutes="${1:-30}"
export ZKM_RANDOM_STEPS="${ZKM_RANDOM_STEPS:-300}"
# Each step is printed as it is taken, so that the steps before a crash are in the log.
export ZKM_RANDOM_VERBOSE=1

build_dir="${ZKM_MONKEY_BUILD:-${root}/build-asan}"
[ -x "${build_dir}/tests/zkm_app_tests" ] || build_dir="${root}/build"
if [ ! -x "${build_dir}/tests/zkm_app_tests" ]; then
    ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" || exit 1
fi

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:suppressions=${root}/tests/sanitizers/asan.supp"
export LSAN_OPTIONS="suppressions=${root}/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=${root}/tests/sanitizers/ubsan.supp"

start=$(date +%s)
end=$((start + minutes * 60))
runs=0
log="$(mktemp)"
trap 'rm -f "${log}"' EXIT
while [ "$(date +%s)" -lt "${end}" ]; do
    seed=$((RANDOM * 32768 + RANDOM))
    if ! ZKM_RANDOM_SEED="${seed}" "${build_dir}/tests/zkm_app_tests" \
             --gtest_filter='RandomSequenceTest.Windows*' >"${log}" 2>&1; then
        # What failed first (the steps follow it in the log), then the last steps; the whole log is kept.
        grep -v '^number of gets\|^starting get' "${log}" | grep -m 20 -A 6 'Failure\|ERROR: \|runtime error'
        echo "..."
        grep -v '^number of gets\|^starting get' "${log}" | tail -n 80
        kept="$(mktemp --suffix=.log /tmp/zkm-monkey-seed-${seed}-XXXX)"
        cp "${log}" "${kept}"
        echo "the whole log: ${kept}"
        echo "FAILED: seed ${seed} after ${runs} good seeds (replay: ZKM_RANDOM_SEED=${seed}" \
             "ZKM_RANDOM_STEPS=${ZKM_RANDOM_STEPS} ${build_dir}/tests/zkm_app_tests --gtest_filter='RandomSequenceTest.Windows*')"
        exit 1
    fi
    runs=$((runs + 1))
done
elapsed=$(($(date +%s) - start))
steps=$((runs * ZKM_RANDOM_STEPS))
echo "${runs} seeds of ${ZKM_RANDOM_STEPS} steps each (${steps} steps) in ${elapsed} s: no failure"
if [ "${steps}" -gt 0 ]; then
    echo "about $((elapsed * 1000 / steps)) ms a step, program start and the final wait for the jobs included"
fi
