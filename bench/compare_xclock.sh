#!/usr/bin/env bash
# Runs the Linux clock and `xclock -update 1` side by side on one virtual display and reports,
# for each, the CPU time and the instructions it spends per minute once started, and its
# resident memory. Instructions are counted by callgrind (this machine has no hardware
# counters), in a second run under valgrind.
#   bench/compare_xclock.sh [program] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/linux/vestrel}")
seconds=${2:-60}
settle=5

source scripts/xsession.sh
xsession_start
work=$(mktemp -d)
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }

# --- CPU time and memory, natively.
cp "$program" "$work/vestrel"
"$work/vestrel" & pids+=($!)
xclock -update 1 & pids+=($!)
vestrel=${pids[0]} xclock=${pids[1]}
sleep "$settle"
v0=$(cpu_ticks "$vestrel") x0=$(cpu_ticks "$xclock")
sleep "$seconds"
v1=$(cpu_ticks "$vestrel") x1=$(cpu_ticks "$xclock")
hz=$(getconf CLK_TCK)
per_minute() { echo "scale=3; ($2 - $1) * 1000 / $hz * 60 / $seconds" | bc; }
echo "CPU ms per minute:  vestrel $(per_minute "$v0" "$v1")  xclock $(per_minute "$x0" "$x1")"
echo "RSS kB:             vestrel $(rss_kb "$vestrel")  xclock $(rss_kb "$xclock")"
kill "$vestrel" "$xclock"
wait "$vestrel" "$xclock" 2>/dev/null || true
pids=()

# --- Instructions per minute, under callgrind, counted after start-up.
valgrind --tool=callgrind --callgrind-out-file="$work/vestrel.cg" "$work/vestrel" \
  2>/dev/null & pids+=($!)
valgrind --tool=callgrind --callgrind-out-file="$work/xclock.cg" xclock -update 1 \
  2>/dev/null & pids+=($!)
sleep $((settle * 4))  # start-up is slow under valgrind
callgrind_control -z "${pids[0]}" >/dev/null 2>&1
callgrind_control -z "${pids[1]}" >/dev/null 2>&1
sleep "$seconds"
callgrind_control -d "${pids[0]}" >/dev/null 2>&1
callgrind_control -d "${pids[1]}" >/dev/null 2>&1
instructions() {
  # The last dump holds the events since the counters were zeroed.
  local last
  last=$(ls -t "$1".* 2>/dev/null | head -n1)
  awk '/^summary:/ {print $2}' "$last"
}
iv=$(instructions "$work/vestrel.cg") ix=$(instructions "$work/xclock.cg")
echo "Instructions per minute:  vestrel $((iv * 60 / seconds))  xclock $((ix * 60 / seconds))"
