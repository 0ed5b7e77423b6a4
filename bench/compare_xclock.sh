#!/usr/bin/env bash
# Runs the Linux clock and `xclock -update 1` side by side on one virtual display and
# compares them, each figure as vestrel / xclock from the same run:
#   - time from fork to first pixels on screen (bench/first_pixels.c),
#   - CPU time per minute (schedstat: time on the CPU) and wake-ups per second (voluntary
#     context switches), over the first minute after start and warm (a minute from 120 s),
#   - anonymous resident memory and threads, warm,
#   - instructions per minute under callgrind, first minute and warm (one round: the counts
#     hardly vary),
# and, as a floor, a Qt 6 Widgets window that repaints a small patch once a second
# (bench/qt_floor.cpp, next to the program or in build/linux/bench): what the toolkit alone
# costs to start, to hold in memory and, warm, to wake and repaint.
# Rounds run one after another; the last lines are the medians over the rounds.
#   bench/compare_xclock.sh [program] [rounds] [seconds per window]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/linux/vestrel}")
floor=$(dirname "$program")/bench/qt_floor
[[ -x $floor ]] || floor=build/linux/bench/qt_floor
floor=$(realpath "$floor")
rounds=${2:-3}
window=${3:-60}
warm_from=${WARM_FROM:-120}  # seconds after start the warm window begins

source scripts/xsession.sh
work=$(mktemp -d)
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  for pid in "${pids[@]}"; do
    while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  done
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/first_pixels" bench/first_pixels.c -lX11
# A copy of its own, so no settings file of another run is found next to it.
cp "$program" "$work/vestrel"
xsession_start

# Over all threads of the process.
# printf, not print: Debian's awk prints sums over 2^31 as 2.2e+09, which bc cannot read.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%.0f\n", s}'; }
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }
anon_kb() { awk '/^RssAnon/ {print $2}' "/proc/$1/status"; }
threads() { ls "/proc/$1/task" | wc -l; }
ratio() { echo "scale=2; $1 / $2" | bc; }
per_minute_ms() { echo "scale=1; ($2 - $1) / 1000000 * 60 / $window" | bc; }
per_second() { echo "scale=2; ($2 - $1) / $window" | bc; }
# Starts a program, waits for its first pixels in the given rectangle; sets started_pid and
# first_ms.
start() {
  local out
  out=$("$work/first_pixels" "$@")
  first_ms=${out% *}
  started_pid=${out#* }
  pids+=("$started_pid")
}

declare -A all
metrics=(first_pixels_ms cpu_ms_first cpu_ms_warm wakeups_first wakeups_warm anon_kb threads
  toolkit_first_ms toolkit_anon_kb toolkit_cpu_warm)
for round in $(seq "$rounds"); do
  # The toolkit floor first, alone while it starts; it stays for the CPU windows, away from
  # the other two windows.
  start 800 0 170 174 "$floor"
  f=$started_pid f_first=$first_ms
  sleep 3
  f_anon=$(anon_kb "$f")
  start 0 0 170 174 "$work/vestrel"
  v=$started_pid v_first=$first_ms
  sleep 2  # a moment apart, so the two start-ups do not overlap
  start 400 0 170 174 xclock -update 1 -geometry 170x174+400+0
  x=$started_pid x_first=$first_ms
  t0=$(date +%s.%N)
  v_cpu0=$(cpu_ns "$v") x_cpu0=$(cpu_ns "$x") v_sw0=$(switches "$v") x_sw0=$(switches "$x")
  sleep "$window"
  v_cpu1=$(cpu_ns "$v") x_cpu1=$(cpu_ns "$x") v_sw1=$(switches "$v") x_sw1=$(switches "$x")
  sleep "$(echo "$t0 + $warm_from - $(date +%s.%N)" | bc)"
  v_cpu2=$(cpu_ns "$v") x_cpu2=$(cpu_ns "$x") v_sw2=$(switches "$v") x_sw2=$(switches "$x")
  f_cpu2=$(cpu_ns "$f")
  sleep "$window"
  v_cpu3=$(cpu_ns "$v") x_cpu3=$(cpu_ns "$x") v_sw3=$(switches "$v") x_sw3=$(switches "$x")
  f_cpu3=$(cpu_ns "$f")
  values=(
    "$v_first $x_first"
    "$(per_minute_ms "$v_cpu0" "$v_cpu1") $(per_minute_ms "$x_cpu0" "$x_cpu1")"
    "$(per_minute_ms "$v_cpu2" "$v_cpu3") $(per_minute_ms "$x_cpu2" "$x_cpu3")"
    "$(per_second "$v_sw0" "$v_sw1") $(per_second "$x_sw0" "$x_sw1")"
    "$(per_second "$v_sw2" "$v_sw3") $(per_second "$x_sw2" "$x_sw3")"
    "$(anon_kb "$v") $(anon_kb "$x")"
    "$(threads "$v") $(threads "$x")"
    "$f_first $x_first"
    "$f_anon $(anon_kb "$x")"
    "$(per_minute_ms "$f_cpu2" "$f_cpu3") $(per_minute_ms "$x_cpu2" "$x_cpu3")"
  )
  echo "round $round (vestrel xclock ratio; toolkit_*: the Qt floor window instead of vestrel):"
  for i in "${!metrics[@]}"; do
    read -r a b <<<"${values[$i]}"
    all[${metrics[$i]},$round]="$a $b $(ratio "$a" "$b")"
    printf '  %-16s %10s %10s %6s\n' "${metrics[$i]}" $a $b "$(ratio "$a" "$b")"
  done
  kill "$v" "$x" "$f"
  wait "$v" "$x" "$f" 2>/dev/null || true
  pids=()
  sleep 1
done

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "median of $rounds rounds (vestrel xclock ratio):"
for m in "${metrics[@]}"; do
  a=$(for r in $(seq "$rounds"); do echo "${all[$m,$r]}" | cut -d' ' -f1; done | median)
  b=$(for r in $(seq "$rounds"); do echo "${all[$m,$r]}" | cut -d' ' -f2; done | median)
  c=$(for r in $(seq "$rounds"); do echo "${all[$m,$r]}" | cut -d' ' -f3; done | median)
  printf '  %-16s %10s %10s %6s\n' "$m" "$a" "$b" "$c"
done

# --- Instructions per minute under callgrind, first minute and warm.
summary() {  # instructions in the newest dump of $1
  local last
  last=$(ls -t "$work/$1.cg".* 2>/dev/null | head -n1)
  awk '/^summary:/ {print $2}' "$last"
}
start 0 0 170 174 valgrind --tool=callgrind --callgrind-out-file="$work/v.cg" "$work/vestrel"
vg=$started_pid
start 400 0 170 174 valgrind --tool=callgrind --callgrind-out-file="$work/x.cg" \
  xclock -update 1 -geometry 170x174+400+0
xg=$started_pid
# Zeroes both programs' counts, waits one window and dumps them.
count_window() {
  callgrind_control -z "$vg" >/dev/null 2>&1
  callgrind_control -z "$xg" >/dev/null 2>&1
  sleep "$window"
  callgrind_control -d "$vg" >/dev/null 2>&1
  callgrind_control -d "$xg" >/dev/null 2>&1
}
count_window
vi1=$(summary v) xi1=$(summary x)
sleep $((warm_from - window))
count_window
vi2=$(summary v) xi2=$(summary x)
per_min() { echo $(($1 * 60 / window)); }
echo "instructions per minute (vestrel xclock ratio), under callgrind:"
printf '  %-16s %10s %10s %6s\n' first_minute "$(per_min "$vi1")" "$(per_min "$xi1")" "$(ratio "$vi1" "$xi1")"
printf '  %-16s %10s %10s %6s\n' warm "$(per_min "$vi2")" "$(per_min "$xi2")" "$(ratio "$vi2" "$xi2")"
