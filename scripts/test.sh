#!/usr/bin/env bash
# Builds everything from scratch and runs every test.
#   BUILD_DIR        build folder (default: build)
#   CXX              the compiler (default: the system's c++; CI's second build uses clang++)
#   QUINDEL_SANITIZE ON to build with AddressSanitizer and UndefinedBehaviorSanitizer
#   QUINDEL_FUZZ     ON to build the libFuzzer targets too (needs clang)
#   QUINDEL_QT       OFF to build without the Qt backend, the viewer and the Qt tests
#   QUINDEL_BENCH    OFF to skip building the benchmarks
#   QUINDEL_PACKAGE_TEST  1 (as root) to build, install, use and purge the Debian packages
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build=${BUILD_DIR:-build}
rm -rf "$build"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_COMPILER="${CXX:-c++}" \
  -DQUINDEL_SANITIZE="${QUINDEL_SANITIZE:-OFF}" -DQUINDEL_FUZZ="${QUINDEL_FUZZ:-OFF}" \
  -DQUINDEL_QT="${QUINDEL_QT:-ON}" -DQUINDEL_BENCH="${QUINDEL_BENCH:-ON}"
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# GStreamer and GLib keep allocations for the life of the process; ours are not hidden.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export QUINDEL_AUDIO_SINK=fake
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE "journey|package"
# The desktop journeys, alone on the machine: they measure time (a build without Qt has none).
if [[ ${QUINDEL_QT:-ON} != OFF ]]; then
  ctest --test-dir "$build" --output-on-failure -L journey
fi
# The Debian packages installed, used and purged: only when asked (QUINDEL_PACKAGE_TEST=1, as root,
# as CI runs it), since it installs into /usr.
if [[ ${QUINDEL_PACKAGE_TEST:-0} == 1 ]]; then
  ctest --test-dir "$build" --output-on-failure -L package
fi
