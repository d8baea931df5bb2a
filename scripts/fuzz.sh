#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/*_fuzz.cpp) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz, and fuzzes each for a number of seconds, starting from its seeds
# (fuzz/corpus/<Name>/) and saved regressions (fuzz/regressions/<Name>/). Prints per target the executions per
# second, the coverage (edges reached, libFuzzer's "cov") and the reproducer of any finding.
#
# Usage: bash scripts/fuzz.sh [seconds per target, default 60] [target names, default all]
# With 0 seconds each target only runs its seeds and regressions under the sanitizers: the same inputs every
# time, so a failure is always a fault of the tree, never of chance.
# Environment: ZUBQ_FUZZ_PARALLEL (targets fuzzed at once, default 2), ZUBQ_JOBS (build jobs, default 4),
# ZUBQ_FUZZ_BUILD_DIR (default build-fuzz), ZUBQ_WERROR=ON (clang's warnings are errors),
# ZUBQ_FUZZ_WHOLE_TREE=1 (also compiles and links the tests and benchmarks, without running them: CI's clang build;
# it is compiled at -O1 without debug information, which keeps it small and quick to build: a finding's stack names
# functions, and a build without ZUBQ_FUZZ_WHOLE_TREE gives the lines), ZUBQ_CLANG_CCACHE_DIR (the clang build's
# own compiler cache, default ~/.cache/ccache-clang, so that it does not push the gcc build's entries out; its
# paths are taken relative to the tree, so that every clone of it shares the entries). New inputs go to
# <build>/corpus/<Name>/, findings and the logs to <build>/artifacts/<Name>/ and <build>/logs/<Name>.log; copy a
# finding into fuzz/regressions/<Name>/ once fixed. An input may take up to a minute before it counts as a hang:
# the slowest seed (the engine waiting twice for its checker's time-out) takes about ten seconds on an idle core.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
shift || true
build=${ZUBQ_FUZZ_BUILD_DIR:-build-fuzz}
parallel=${ZUBQ_FUZZ_PARALLEL:-2}
jobs=${ZUBQ_JOBS:-4}

bash scripts/deps.sh
need=()
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
command -v llvm-symbolizer >/dev/null || need+=(llvm)  # the sanitizers' reports name functions and lines with it
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi

# The build runs some of its own programs (the form and dictionary compilers): they run under the same options.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=0
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

export CCACHE_DIR=${ZUBQ_CLANG_CCACHE_DIR:-${HOME:-/tmp}/.cache/ccache-clang}
# A cache folder of its own reads no configuration from elsewhere: the base folder is given here.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
if [ "${ZUBQ_FUZZ_WHOLE_TREE:-0}" = 1 ]; then
  # Everything is compiled and linked; the test programs are listed only when CTest runs them, which it does not
  # here (they run in the gcc build).
  whole=ON
  build_target=all
  flags=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_C_FLAGS_DEBUG=-O1 -g0" "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g0")
else
  whole=OFF
  build_target=fuzz_targets
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DZUBQ_FUZZ=ON -DZUBQ_BUILD_TESTS=$whole -DZUBQ_BUILD_BENCH=$whole \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST -DZUBQ_WERROR="${ZUBQ_WERROR:-OFF}" >/dev/null
build_start=$SECONDS
cmake --build "$build" -j "$jobs" --target "$build_target"
echo "clang build took $((SECONDS - build_start)) s"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in fuzz/*_fuzz.cpp; do
    name=$(basename "$src" _fuzz.cpp)
    targets+=("$name")
  done
fi

run_one() {
  local name=$1
  local work="$build/corpus/$name" artifacts="$build/artifacts/$name" log="$build/logs/$name.log"
  mkdir -p "$work" "$artifacts" "$build/logs"
  local inputs=("$work")
  for dir in "fuzz/corpus/$name" "fuzz/regressions/$name"; do
    if [ -d "$dir" ]; then inputs+=("$dir"); fi
  done
  local length=(-max_total_time="$seconds")
  if [ "$seconds" = 0 ]; then length=(-runs=0); fi
  "$build/bin/${name}_fuzz" "${length[@]}" -print_final_stats=1 -timeout=60 -report_slow_units=20 \
    -rss_limit_mb=4096 -max_len=65536 -artifact_prefix="$artifacts/" "${inputs[@]}" >"$log" 2>&1
}

fuzz_start=$SECONDS
status=0
pids=()
names=()
for name in "${targets[@]}"; do
  if [ ! -x "$build/bin/${name}_fuzz" ]; then
    echo "$name: no such fuzz target" >&2
    status=1
    continue
  fi
  echo "fuzzing $name for ${seconds}s"
  run_one "$name" &
  pids+=($!)
  names+=("$name")
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
    wait -n || true
  done
done
wait || true
echo "fuzzing took $((SECONDS - fuzz_start)) s"

printf '\n%-18s %10s %12s %8s %8s  %s\n' target "exec/s" executions cov ft result
for name in "${names[@]}"; do
  log="$build/logs/$name.log"
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  finding=$(grep -o 'Test unit written to .*' "$log" | sed 's/Test unit written to //' | head -1 || true)
  if [ -n "$finding" ]; then
    result="FOUND: $finding (see $log)"
    status=1
  elif [ -z "$execs" ]; then
    result="did not finish (see $log)"
    status=1
  else
    result="clean"
  fi
  printf '%-18s %10s %12s %8s %8s  %s\n' "$name" "${speed:--}" "${execs:--}" "${cov:--}" "${ft:--}" "$result"
done
exit $status
