#!/usr/bin/env bash
# Builds ZUB Quillon and starts it. Usage: bash scripts/run.sh [program arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=${ZUBQ_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
exec "$build/bin/zubquillon" "$@"
