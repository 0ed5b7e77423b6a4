# Helpers of the Linux end-to-end scripts, whose arguments are <vestrel> [screenshot folder].

# shellcheck source=../e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"
program=$(realpath "$1")
shots=$(realpath -m "${2:-$PWD/e2e}")

# Override-redirect windows of the program that are mapped: the popup menu.
menu_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname vestrel 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && echo "$w"
  done
  return 0
}
# open_menu [x y]: a right click on that window point.
open_menu() {
  xdotool mousemove $(at "${1:-40}" "${2:-120}") mousedown 3 mouseup 3
  wait_until 3 menu_open || fail "no popup menu"
}
focus_clock() { xdotool windowactivate --sync "$win" 2>/dev/null || true; }  # warns about openbox

# start_clock [command prefix...]: $clock_program, by default $work/vestrel.
start_clock() {
  "$@" "${clock_program:-$work/vestrel}" >"$work/output.log" 2>&1 &
  clock=$!
  await_window vestrel "$work/output.log"
}

# drag <x> <y> <dx> <dy>: a left drag from a window point in three steps of (dx, dy) pixels.
drag() {
  xdotool mousemove $(at "$1" "$2") mousedown 1
  local i
  for i in 1 2 3; do
    xdotool mousemove $((left + $1 + $3 * i)) $((top + $2 + $4 * i))
    wait_until 3 at_position $((left + $3 * i)) $((top + $4 * i)) ||
      fail "after a move by $(($3 * i)),$(($4 * i)) the window is at $(geometry "$win")"
  done
  xdotool mouseup 1
  locate
}

work=$(mktemp -d)
cleanup() {
  if [[ -n $clock ]]; then kill ${cleanup_clock_signal:-} "$clock" 2>/dev/null || true; fi
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

e2e_begin() {
  mkdir -p "$shots"
  cp "$program" "$work/vestrel"
  xsession_start
  colour_desktop
}
