#!/usr/bin/env bash
# Whole-process comparison at 1,000,000 devices per report shape: the program, the baseline
# program (fprintf per piece), cat of the same bytes from the page cache, and a bare loop that
# writes as many bytes from a filled 1 MiB buffer, to /dev/null and to a file in /tmp (removed
# before each run); then the start-up cost of a 2-device report against /bin/true; then peak
# RSS at 10 and 10,000,000 devices. Prints Markdown tables.
#
# Usage: bench/compare.sh [RUNS] [startup]   (median of RUNS runs each, default 15; "startup"
# measures only the start-up figure)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
only=${2:-}
devices=1000000

cmake --preset release >/dev/null
cmake --build --preset release --target zorvicxlsim zorvicxlsim_baseline zorvic_write_loop >/dev/null
program=$PWD/build-release/zorvicxlsim
baseline=$PWD/build-release/bench/zorvicxlsim_baseline
write_loop=$PWD/build-release/bench/zorvic_write_loop
work=$(mktemp -d /tmp/zorvic_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

ids=(--VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 --SubDeviceId 0x2382
  --fwversion 04.004.006.00E)

median() { sort -n | awk -v form="${1:-%.1f}" '{ t[NR] = $1 } END { printf form, t[int((NR + 1) / 2)] }'; }

# Wall-clock milliseconds of one run of a command line, output to $1 (a file is removed first, so
# that every run allocates its pages afresh).
run_ms() {
  local target=$1 start end
  shift
  [ "$target" = /dev/null ] || rm -f "$target"
  start=$EPOCHREALTIME
  "$@" >"$target"
  end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) * 1000 }'
}

# Median time of a command line over $runs runs after one warm-up, output to $1. The median,
# because a shared machine adds spikes that would swamp a mean.
median_ms() {
  run_ms "$@" >/dev/null
  for ((r = 0; r < runs; r++)); do run_ms "$@" && echo; done | median
}

# The program against the write loop, run in pairs side by side: the median of the pairs'
# ratios, which holds still while the machine's speed drifts.
loop_ratio() {
  local target=$1 bytes=$2 p l
  shift 2
  for ((r = 0; r < runs; r++)); do
    l=$(run_ms "$target" "$write_loop" "$bytes")
    p=$(run_ms "$target" "$@")
    ratio "$p" "$l" && echo
  done | median %.2f
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
  echo "| small run | program / /bin/true (goal <= 1.00) |"
  echo "|---|---|"
  echo "| --sim 2 --pie --VendorId 0x1235 --list | $(startup_ratio) |"
}

if [ "$only" = startup ]; then
  startup_table
  exit 0
fi

echo "| shape | MB | to | program ms | baseline ms | cat ms | loop ms | baseline/program | program/cat | program/loop, paired (goal <= 1.6 into a file) |"
echo "|---|---|---|---|---|---|---|---|---|---|"
shapes=("text list:--list" "text fwupdate:--fwupdate" "PIE list:-p --list" "PIE fwupdate:-p --fwupdate")
for entry in "${shapes[@]}"; do
  name=${entry%%:*}
  read -r -a shape <<<"${entry#*:}"
  "$program" --sim "$devices" "${ids[@]}" "${shape[@]}" >"$work/expected"
  "$baseline" --sim "$devices" "${ids[@]}" "${shape[@]}" | cmp -s - "$work/expected" ||
    { echo "baseline output differs for $name" >&2; exit 1; }
  bytes=$(stat -c %s "$work/expected")
  mb=$(awk -v b="$bytes" 'BEGIN { printf "%.0f", b / 1e6 }')
  cat "$work/expected" >/dev/null # into the page cache
  for to in /dev/null "$work/out"; do
    p=$(median_ms "$to" "$program" --sim "$devices" "${ids[@]}" "${shape[@]}")
    b=$(median_ms "$to" "$baseline" --sim "$devices" "${ids[@]}" "${shape[@]}")
    c=$(median_ms "$to" cat "$work/expected")
    l=$(median_ms "$to" "$write_loop" "$bytes")
    pl=$(loop_ratio "$to" "$bytes" "$program" --sim "$devices" "${ids[@]}" "${shape[@]}")
    label=$([ "$to" = /dev/null ] && echo /dev/null || echo "file in /tmp")
    echo "| $name | $mb | $label | $p | $b | $c | $l | $(ratio "$b" "$p") | $(ratio "$p" "$c") | $pl |"
  done
done

echo
startup_table

echo
echo "| shape | peak RSS, 10 devices | peak RSS, 10,000,000 devices | growth (goal < 1024 KiB) |"
echo "|---|---|---|---|"
for entry in "${shapes[@]}"; do
  name=${entry%%:*}
  read -r -a shape <<<"${entry#*:}"
  small=$(peak_kib "$program" --sim 10 "${ids[@]}" "${shape[@]}")
  large=$(peak_kib "$program" --sim 10000000 "${ids[@]}" "${shape[@]}")
  echo "| $name | $small KiB | $large KiB | $((large - small)) KiB |"
done
