#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan and runs the test suite there. Any sanitizer report, a leak
# included, ends the test that made it and so fails the run.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PATHWICK_ASAN_BUILD:-$root/build-asan}"

cmake -S "$root" -B "$build" -DPATHWICK_SANITIZE=address,undefined -DPATHWICK_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2

# halt_on_error and abort_on_error make the first report fatal; leaks are
# looked for at exit, with known leaks of Qt and system libraries suppressed
# (never those of our own code).
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_invalid_pointer_pairs=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"

cd "$build"
ctest --output-on-failure --timeout 600
