#!/usr/bin/env bash
# The sanitizer builds of the test suite, each on a private Xvfb display:
#   1. AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/): every test, then the real
#      program built with the same flags and the end-to-end tests run against it, since some
#      faults (a window used after it was closed during its own file chooser) only show in the
#      real program; a report in the program's log fails the end-to-end test,
#   2. ThreadSanitizer, every test as well (build-tsan/): besides the tests of the MIDI input thread
#      (manager, engine, virtual controller) and of the picture decoding thread, the window tests
#      run both threads against the message thread.
# JUCE is compiled once per configuration, with the same flags as our code.
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

# One line per configuration: build folder suffix | sanitizers | whether the real program is built
# and its end-to-end tests run | heading.
configurations=(
    "asan|address,undefined|ON|AddressSanitizer + UndefinedBehaviorSanitizer: every test, and the real program end to end"
    "tsan|thread|OFF|ThreadSanitizer: every test"
)

for configuration in "${configurations[@]}"; do
    IFS='|' read -r suffix sanitizers with_app heading <<<"${configuration}"
    build_dir="${root}/build-${suffix}"
    echo "=== ${heading} ==="

    if ! ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" \
             -DZKM_SANITIZE="${sanitizers}" -DZKM_BUILD_APP="${with_app}"; then
        status=1
        continue
    fi

    (cd "${build_dir}" && ctest --output-on-failure --parallel "${jobs}" --timeout 900 -LE e2e) || status=1

    if [ "${with_app}" = ON ]; then
        (cd "${build_dir}" && ctest --output-on-failure --timeout 900 -L e2e) || status=1
    fi
done
exit ${status}
