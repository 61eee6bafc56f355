#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
#   scripts/test.sh          the developer build
#   scripts/test.sh asan     the same suite built with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-dev}"
scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"

if [ "$preset" = asan ]; then
    export ASAN_OPTIONS="detect_leaks=1"
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
ctest --preset "$preset" -j 2
