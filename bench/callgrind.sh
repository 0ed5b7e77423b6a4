#!/usr/bin/env bash
# Instructions per drawn frame and per idle tick, counted by callgrind on the Release build:
# the difference between a run of N and a run of 0 divided by N.
set -euo pipefail
bin=${1:-build/linux/bench/frame_count}
n=200

count() {
  local out
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bin" "$@" 2>"$out" >/dev/null
  grep -o 'Collected : [0-9]*' "$out" | grep -o '[0-9]*'
  rm -f "$out"
}

for size in large small; do
  base=$(count draw 0 "$size")
  drawn=$(count draw "$n" "$size")
  echo "drawn frame ($size): $(( (drawn - base) / n )) instructions"
done
base=$(count idle 0)
idle=$(count idle $((n * 10)))
echo "idle tick: $(( (idle - base) / (n * 10) )) instructions"
