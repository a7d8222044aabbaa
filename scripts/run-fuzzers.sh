#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, each from a
# copy of its seed corpus in fuzz/corpus/<name>, and prints each target's
# executions. A crash, a leak, undefined behaviour or a broken property is
# a finding: its input is kept in <build>/findings/<name>/ and the script
# fails.
#   scripts/run-fuzzers.sh <build-fuzz> [seconds-per-target]
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?the fuzz build folder}
seconds=${2:-30}
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target" | sed 's/^fuzz_//')
  corpus="$work/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  cp "$here/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
  log="$work/$name.log"
  "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -max_len=65536 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" >"$log" 2>&1
  status=$?
  runs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [ $status -ne 0 ]; then
    failed=1
    echo "fuzz_$name: FINDING (exit $status) after ${runs:-?} runs; input kept in $findings" >&2
    tail -40 "$log" >&2
  else
    echo "fuzz_$name: ${runs:-?} runs in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs, no finding"
  fi
done
exit $failed
