#!/usr/bin/env bash
# Whole-process comparison at 1,000,000 devices per report shape: the program, the baseline
# program (fprintf per piece) and cat of the same bytes from the page cache, to /dev/null and to
# a file in /tmp; then the start-up cost of a 2-device report against /bin/true; then peak RSS
# at 10 and 10,000,000 devices. Prints Markdown tables.
#
# Usage: bench/compare.sh [RUNS] [startup]   (median of RUNS runs each, default 15; "startup"
# measures only the start-up figure)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
only=${2:-}
devices=1000000

cmake --preset release >/dev/null
cmake --build --preset release --target zorvicxlsim zorvicxlsim_baseline >/dev/null
program=$PWD/build-release/zorvicxlsim
baseline=$PWD/build-release/bench/zorvicxlsim_baseline
work=$(mktemp -d /tmp/zorvic_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

ids=(--VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 --SubDeviceId 0x2382
  --fwversion 04.004.006.00E)

# Median wall-clock time of a command line over $runs runs after one warm-up, in milliseconds,
# output to $1. The median, because a shared machine adds spikes that would swamp a mean.
median_ms() {
  local target=$1 start end times=()
  shift
  "$@" >"$target"
  for ((r = 0; r < runs; r++)); do
    start=$(date +%s%N)
    "$@" >"$target"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n1; }

# Most runs of a simulator are tiny, so start-up is their cost: batches of 100 runs of the
# program and of /bin/true side by side, the median of the per-batch time ratios.
startup_ratio() {
  local t0 t1 t2 ratios=() i
  for ((r = 0; r < runs; r++)); do
    t0=$EPOCHREALTIME
    for ((i = 0; i < 100; i++)); do /bin/true >/dev/null; done
    t1=$EPOCHREALTIME
    for ((i = 0; i < 100; i++)); do "$program" --sim 2 --pie --VendorId 0x1235 --list >/dev/null; done
    t2=$EPOCHREALTIME
    ratios+=("$(awk -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN { printf "%.3f", (c - b) / (b - a) }')")
  done
  printf '%s\n' "${ratios[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

startup_table() {
  echo "| small run | program / /bin/true (goal <= 1.25) |"
  echo "|---|---|"
  echo "| --sim 2 --pie --VendorId 0x1235 --list | $(startup_ratio) |"
}

if [ "$only" = startup ]; then
  startup_table
  exit 0
fi

echo "| shape | MB | to | program ms | baseline ms | cat ms | baseline/program (goal >= 10) | program/cat (goal <= 1.5) |"
echo "|---|---|---|---|---|---|---|---|"
shapes=("text list:--list" "text fwupdate:--fwupdate" "PIE list:-p --list" "PIE fwupdate:-p --fwupdate")
for entry in "${shapes[@]}"; do
  name=${entry%%:*}
  read -r -a shape <<<"${entry#*:}"
  "$program" --sim "$devices" "${ids[@]}" "${shape[@]}" >"$work/expected"
  "$baseline" --sim "$devices" "${ids[@]}" "${shape[@]}" | cmp -s - "$work/expected" ||
    { echo "baseline output differs for $name" >&2; exit 1; }
  mb=$(awk -v b="$(stat -c %s "$work/expected")" 'BEGIN { printf "%.0f", b / 1e6 }')
  cat "$work/expected" >/dev/null # into the page cache
  for to in /dev/null "$work/out"; do
    p=$(median_ms "$to" "$program" --sim "$devices" "${ids[@]}" "${shape[@]}")
    b=$(median_ms "$to" "$baseline" --sim "$devices" "${ids[@]}" "${shape[@]}")
    c=$(median_ms "$to" cat "$work/expected")
    label=$([ "$to" = /dev/null ] && echo /dev/null || echo "file in /tmp")
    echo "| $name | $mb | $label | $p | $b | $c | $(ratio "$b" "$p") | $(ratio "$p" "$c") |"
  done
done

echo
startup_table

echo
echo "| shape | peak RSS, 10 devices | peak RSS, 10,000,000 devices |"
echo "|---|---|---|"
for entry in "${shapes[@]}"; do
  name=${entry%%:*}
  read -r -a shape <<<"${entry#*:}"
  small=$(peak_kib "$program" --sim 10 "${ids[@]}" "${shape[@]}")
  large=$(peak_kib "$program" --sim 10000000 "${ids[@]}" "${shape[@]}")
  echo "| $name | $small KiB | $large KiB |"
done
