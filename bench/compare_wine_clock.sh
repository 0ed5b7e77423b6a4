#!/usr/bin/env bash
# Runs Vestrel.exe and wine's own clock program in the same minute under wine on one virtual
# display, each in its own copy of one freshly made prefix (so each has a wineserver of its
# own whose CPU time is its alone), and reports for each the CPU time of the program, of its
# wineserver and of both, per minute (schedstat, all threads), warm (from 60 s after start),
# and the ratio Vestrel.exe / clock.
#   bench/compare_wine_clock.sh [Vestrel.exe] [seconds] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/windows/Vestrel.exe}")
seconds=${2:-60}
rounds=${3:-3}
settle=60

source scripts/xsession.sh
work=$(mktemp -d)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  for prefix in "$work/vestrel" "$work/clock"; do
    [[ -d "$prefix" ]] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  done
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT
xsession_start

WINEPREFIX="$work/vestrel" wineboot -i >/dev/null 2>&1
WINEPREFIX="$work/vestrel" wineserver -w
cp -a "$work/vestrel" "$work/clock"
mkdir -p "$work/vestrel/drive_c/Vestrel"
cp "$exe" "$work/vestrel/drive_c/Vestrel/Vestrel.exe"

# printf, not print: Debian's awk prints sums over 2^31 as 2.2e+09, which bc cannot read.
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'
}
# The process of this name (a pattern) whose environment names this prefix.
find_pid() {
  local pid
  for pid in $(pgrep -x "$1"); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$2"; then
      echo "$pid"
      return
    fi
  done
}
wait_pid() {
  local pid="" i
  for i in $(seq 300); do
    pid=$(find_pid "$1" "$2")
    [[ -n "$pid" ]] && break
    sleep 0.1
  done
  echo "$pid"
}
per_minute() { echo "scale=1; ($2 - $1) / 1000000 * 60 / $seconds" | bc; }
ratio() { echo "scale=3; $1 / $2" | bc; }

totals=()
for round in $(seq "$rounds"); do
  WINEPREFIX="$work/vestrel" wine 'C:\Vestrel\Vestrel.exe' >/dev/null 2>&1 &
  WINEPREFIX="$work/clock" wine clock >/dev/null 2>&1 &
  vp=$(wait_pid Vestrel.exe "$work/vestrel") cp=$(wait_pid clock.exe "$work/clock")
  vs=$(wait_pid 'wineserver(64)?' "$work/vestrel") cs=$(wait_pid 'wineserver(64)?' "$work/clock")
  [[ -n "$vp" && -n "$cp" && -n "$vs" && -n "$cs" ]] || { echo "a process did not start" >&2; exit 1; }
  sleep "$settle"
  a0=$(cpu_ns "$vp") b0=$(cpu_ns "$vs") c0=$(cpu_ns "$cp") d0=$(cpu_ns "$cs")
  sleep "$seconds"
  a1=$(cpu_ns "$vp") b1=$(cpu_ns "$vs") c1=$(cpu_ns "$cp") d1=$(cpu_ns "$cs")
  v_own=$(per_minute "$a0" "$a1") v_server=$(per_minute "$b0" "$b1")
  c_own=$(per_minute "$c0" "$c1") c_server=$(per_minute "$d0" "$d1")
  v_all=$(echo "$v_own + $v_server" | bc) c_all=$(echo "$c_own + $c_server" | bc)
  echo "round $round, CPU ms per minute (program + its wineserver = both):"
  echo "  Vestrel.exe  $v_own + $v_server = $v_all"
  echo "  clock        $c_own + $c_server = $c_all"
  echo "  ratio        $(ratio "$v_own" "$c_own") program, $(ratio "$v_all" "$c_all") with wineserver"
  totals+=("$(ratio "$v_all" "$c_all")")
  kill "$vp" "$cp" 2>/dev/null || true
  WINEPREFIX="$work/vestrel" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/clock" wineserver -k 2>/dev/null || true
  sleep 2
done
echo "median ratio with wineserver over $rounds rounds:" \
  "$(printf '%s\n' "${totals[@]}" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')"
