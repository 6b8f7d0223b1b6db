#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite through CTest.
#   scripts/test.sh             build/ and its tests
#   scripts/test.sh --sanitize  the same with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
dir=$(scripts/build.sh "$@" | tail -n 1)

export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
    # Any report ends the test process with a failure.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=23"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
fi
ctest --test-dir "$dir" --output-on-failure -j 2 --timeout 600
