#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, then
#   1. an AddressSanitizer + UndefinedBehaviorSanitizer build of the whole test suite (build-asan/),
#   2. a ThreadSanitizer build of the tests that involve the MIDI input thread (build-tsan/),
#   3. the plain build (build/) with every test, the end-to-end tests of the real program included.
# Each stage runs CTest on a private Xvfb display that this script starts itself.
# ZKM_SKIP_SANITIZERS=1 runs only the plain stage.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" || exit 1

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb || exit 1

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:suppressions=${root}/tests/sanitizers/asan.supp"
export LSAN_OPTIONS="suppressions=${root}/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=${root}/tests/sanitizers/ubsan.supp"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=${root}/tests/sanitizers/tsan.supp"

jobs="$(nproc)"
status=0

if [ "${ZKM_SKIP_SANITIZERS:-0}" != "1" ]; then
    echo "=== AddressSanitizer + UndefinedBehaviorSanitizer: every test ==="
    if ZKM_BUILD_DIR="${root}/build-asan" bash "${root}/scripts/build.sh" \
           -DZKM_SANITIZE=address,undefined -DZKM_BUILD_APP=OFF; then
        (cd "${root}/build-asan" && ctest --output-on-failure --parallel "${jobs}" --timeout 900 -LE e2e) || status=1
    else
        status=1
    fi

    echo "=== ThreadSanitizer: the tests of the MIDI manager, the engine and the virtual controller ==="
    if ZKM_BUILD_DIR="${root}/build-tsan" bash "${root}/scripts/build.sh" \
           -DZKM_SANITIZE=thread -DZKM_BUILD_APP=OFF; then
        (cd "${root}/build-tsan" && ctest --output-on-failure --parallel "${jobs}" --timeout 900 -L engine) || status=1
    else
        status=1
    fi
fi

echo "=== Plain build: every test, end to end included ==="
if ZKM_BUILD_DIR="${root}/build" bash "${root}/scripts/build.sh"; then
    (cd "${root}/build" && ctest --output-on-failure --parallel "${jobs}" --timeout 600) || status=1
else
    status=1
fi
exit ${status}
