#!/usr/bin/env bash
# Builds everything from scratch and runs every test.
#   BUILD_DIR        build folder (default: build)
#   QUINDEL_SANITIZE ON to build with AddressSanitizer and UndefinedBehaviorSanitizer
#   QUINDEL_BENCH    OFF to skip building the benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build=${BUILD_DIR:-build}
rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUINDEL_SANITIZE="${QUINDEL_SANITIZE:-OFF}" -DQUINDEL_BENCH="${QUINDEL_BENCH:-ON}"
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
