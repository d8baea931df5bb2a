#!/usr/bin/env bash
# Builds the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan and runs the whole
# test suite under them, leaks reported (scripts/lsan.supp holds the font library's own). Any finding fails the
# test it happens in. Usage: bash scripts/sanitize.sh [ctest args...]   (ZUBQ_JOBS=<n> limits parallel jobs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=${ZUBQ_ASAN_BUILD_DIR:-build-asan}
jobs=${ZUBQ_JOBS:-$(nproc)}
root=$(pwd)
# The build runs test programs too (to list their tests): they run under the same options.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=0:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBQ_SANITIZE=ON -DZUBQ_BUILD_BENCH=OFF
cmake --build "$build" -j "$jobs"
cd "$build"
ctest --output-on-failure -j "$jobs" --timeout 900 "$@"
