#!/usr/bin/env bash
# Instructions of every frame over a whole simulated day, both sizes, counted by callgrind
# (one dump per frame, streamed through a pipe): min / median / p99 / max, the frames over
# 150 K, the first minute after start apart, and the dearest frames.
#   bench/frame_day.sh [frame_day program] [start hh:mm:ss] [frames]
set -euo pipefail
bin=$(realpath "${1:-build/linux/bench/frame_day}")
start=${2:-00:00:00}
frames=${3:-86400}
work=$(mktemp -d)
trap '[[ -n "${KEEP:-}" ]] && cp "$work"/*.frames "$KEEP"/; rm -rf "$work"' EXIT

for size in large small; do
  mkfifo "$work/pipe"
  # Callgrind opens the pipe anew for each dump. A reader that reopened it after every dump
  # could see the end of one dump and close just as the next dump opened the pipe, which
  # then had no reader and killed valgrind with SIGPIPE. This reader holds the pipe open
  # both ways for the whole run and stops at the line written after valgrind has ended.
  # (sed -u reads no further than it needs, so it sees that line once it is written.)
  sed -un -e '/^over$/q' -e 's/^totals: //p' <>"$work/pipe" >"$work/$size.txt" &
  reader=$!
  args=("$start" "$frames")
  [[ $size == small ]] && args+=(small)
  valgrind --tool=callgrind --dump-after='*DrawFrame*' --combine-dumps=yes --dump-line=no \
    --dump-instr=no --callgrind-out-file="$work/pipe" "$bin" "${args[@]}" >/dev/null 2>"$work/valgrind.log" ||
    { tail -n 5 "$work/valgrind.log" >&2; kill "$reader"; exit 1; }
  echo over >"$work/pipe"
  wait "$reader"
  rm -f "$work/pipe"
  # The first dump is start-up plus the first frame; then one per frame; the last is exit.
  sed '1d;$d' "$work/$size.txt" >"$work/$size.frames"
  sort -n "$work/$size.frames" >"$work/$size.sorted"
  n=$(wc -l <"$work/$size.sorted")
  ((n == frames - 1)) || { echo "$size: $n frame counts for $frames frames" >&2; exit 1; }
  pick() { sed -n "${1}p" "$work/$size.sorted"; }
  over=$(awk '$1 > 150000' "$work/$size.frames" | wc -l)
  first=$(head -n 60 "$work/$size.frames" | sort -n | tail -n1)
  warm=$(tail -n +61 "$work/$size.frames" | sort -n)
  warm_n=$(echo "$warm" | grep -c . || true)
  echo "$size: $n frames from $start: min $(pick 1)  median $(pick $(((n + 1) / 2)))" \
    " p99 $(pick $((n * 99 / 100)))  max $(pick "$n")  over 150K: $over"
  if ((warm_n > 0)); then
    echo "  first minute max $first;  after it: median" \
      "$(echo "$warm" | sed -n "$(((warm_n + 1) / 2))p")  max $(echo "$warm" | tail -n1)"
  fi
  echo "  dearest frames (number: instructions):" \
    "$(awk '{print NR ": " $1}' "$work/$size.frames" | sort -t: -k2 -rn | head -n 5 | paste -sd' ')"
done
