#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target for a bounded time from the committed
# seed corpus. Exits non-zero on the first finding, whose reproducer is left in fuzz/findings/.
#
# Usage: fuzz/run.sh [SECONDS_PER_TARGET]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null
mkdir -p fuzz/findings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in option_parser report; do
  mkdir "$work/$target"
  build-fuzz/fuzz/fuzz_"$target" -max_total_time="${1:-60}" -print_final_stats=1 \
    -artifact_prefix=fuzz/findings/ "$work/$target" "fuzz/corpus/$target" 2>"$work/log" ||
    { tail -n 60 "$work/log"; exit 1; }
  echo "fuzz_$target: $(grep -E 'cov:' "$work/log" | tail -n 1)"
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$work/log"
done
