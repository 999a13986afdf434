#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) into
# build-fuzz/ and runs each for a bounded time (ZKM_FUZZ_SECONDS, default 60) on its committed
# corpus in fuzz/corpus/<name>. New interesting inputs are merged back into the corpus; crashes are
# written to build-fuzz/crashes/ and make the script fail.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" || exit 1
seconds="${ZKM_FUZZ_SECONDS:-60}"
build_dir="${root}/build-fuzz"

CC=clang CXX=clang++ ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZKM_BUILD_FUZZERS=ON -DZKM_BUILD_TESTS=OFF -DZKM_BUILD_APP=OFF \
    -DZKM_SANITIZE=address,undefined,fuzzer-no-link || exit 1

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1
export ASAN_OPTIONS="detect_leaks=0:suppressions=${root}/tests/sanitizers/asan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=${root}/tests/sanitizers/ubsan.supp"

mkdir -p "${build_dir}/crashes"
status=0
printf '%-20s %8s %12s %10s %s\n' target seconds executions corpus result
for target in fuzz_preset_file fuzz_midi_stream fuzz_number_box fuzz_import; do
    corpus="${root}/fuzz/corpus/${target#fuzz_}"
    work="${build_dir}/corpus-${target}"
    mkdir -p "${corpus}" "${work}"
    log="${build_dir}/${target}.log"
    "${build_dir}/fuzz/${target}" -max_total_time="${seconds}" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="${build_dir}/crashes/${target}-" "${work}" "${corpus}" >"${log}" 2>&1
    result=$?
    # Keep the committed corpus small: merge only inputs that add coverage.
    "${build_dir}/fuzz/${target}" -merge=1 "${corpus}" "${work}" >/dev/null 2>&1 || true
    execs="$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "${log}" | grep -Eo '[0-9]+$' || true)"
    [ -z "${execs}" ] && execs="$(grep -Eo '^#[0-9]+' "${log}" | tail -n 1 | tr -d '#')"
    if [ ${result} -eq 0 ]; then verdict="no crash"; else verdict="FAILED (see ${log})"; status=1; fi
    printf '%-20s %8s %12s %10s %s\n' "${target}" "${seconds}" "${execs:-?}" "$(ls "${corpus}" | wc -l)" "${verdict}"
done
exit ${status}
