#!/usr/bin/env bash
# Builds ZUB Quillon with its tests and runs them all (headless). Usage: bash scripts/test.sh [ctest args...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=${ZUBQ_BUILD_DIR:-build}
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBQ_WERROR=ON
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$jobs" --timeout 300 "$@"
