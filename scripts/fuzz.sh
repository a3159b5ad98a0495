#!/usr/bin/env bash
# Runs every fuzz target of a build made with QUINDEL_FUZZ=ON on its seed corpus.
#   scripts/fuzz.sh BUILD_DIR SECONDS    (CI runs each target for a short time; see the README
#                                         for long runs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build folder}
seconds=${2:-30}
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
status=0
for target in "$build"/bin/*_fuzz; do
  name=$(basename "$target" _fuzz)
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "== $name: $seconds s"
  # Memory limits: a budget regression (a few bytes asking for gigabytes) fails the run.
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=1536 -malloc_limit_mb=512 -timeout=20 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="$work/" "$work" 2>"$work.log"; then
    tail -50 "$work.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$work.log" | tail -2
  fi
  rm -rf "$work" "$work.log"
done
exit $status
