# Helpers of the Linux end-to-end scripts that run the clock on a virtual X display. Source it
# after setting `program` (the built vestrel) and `shots` (the screenshot folder); it starts
# nothing by itself.

# shellcheck source=../e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"

window_value() { xwininfo -id "${2:-$win}" | sed -n "s/^ *$1: *//p"; }
window_state() { xprop -id "$win" _NET_WM_STATE; }
has_state() { window_state | grep -q "$1"; }
on_top() { has_state _NET_WM_STATE_ABOVE; }
not_on_top() { ! on_top; }
opacity_half=2155905152  # 0x80808080: alpha 128 of 255
opacity_full=4294967295  # 0xffffffff
has_opacity() { xprop -id "$win" _NET_WM_WINDOW_OPACITY | grep -q "= $1\$"; }
has_shape() { xwininfo -shape -id "$win" | grep -Eq "Window shape extents: *$1\+0\+0"; }

# Override-redirect windows of the program that are mapped: the popup menu.
menu_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname vestrel 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && echo "$w"
  done
  return 0
}
menu_open() { [[ -n $(menu_windows) ]]; }
menu_closed() { [[ -z $(menu_windows) ]]; }
# "x y" of the open popup menu's top-left corner.
menu_corner() { geometry "$(menu_windows | head -n1)" | cut -d' ' -f1,2; }
# open_menu [x y]: a right press on the face (window point, 40,120 unless given); the menu opens.
open_menu() {
  xdotool mousemove $(at "${1:-40}" "${2:-120}") mousedown 3 mouseup 3
  wait_until 3 menu_open || fail "no popup menu"
}
# Clicks 終了, the open menu's first item.
choose_exit() {
  local x y
  read -r x y < <(menu_corner)
  xdotool mousemove $((x + 30)) $((y + 10)) click 1
}
close_menu() {
  xdotool key Escape
  wait_until 3 menu_closed || fail "the menu stayed open"
}
# Keys typed into the clock window, given the focus first as a click would.
type_into_clock() {
  xdotool windowactivate --sync "$win" 2>/dev/null || true  # warns about an openbox property
  xdotool key "$@"
}

# The run-time error box: a second window named Vestrel. dismiss_error_box <shot> waits for
# it, takes a screenshot and presses its button.
error_box() { xdotool search --onlyvisible --name '^Vestrel$' | grep -vx "$win"; }
dismiss_error_box() {
  wait_until 5 error_box >/dev/null || fail "no run-time error box (the exit hangs?)"
  sleep 0.3  # let it paint
  shot "$1"
  xdotool windowactivate --sync "$(error_box | head -n1)" key Return
}

# start_clock [command prefix...]: starts $clock_program, by default $work/vestrel (after the
# prefix, such as env or faketime); its window in $win, its corner in $left and $top.
start_clock() {
  "$@" "${clock_program:-$work/vestrel}" >"$work/output.log" 2>&1 &
  clock=$!
  win=$(timeout 30 xdotool search --sync --limit 1 --classname vestrel) ||
    fail "no window of class vestrel ($(cat "$work/output.log"))"
  wait_until 5 bash -c "xwininfo -id $win | grep -q 'Map State: IsViewable'" ||
    fail "the window was not shown"
  locate
}

# The large clock as it starts without settings: 170 x 174 px, no frame, the elliptical shape,
# always on top, half transparent, the face drawn.
expect_clock_window() {
  [[ $(window_value Width) == 170 && $(window_value Height) == 174 ]] ||
    fail "window is $(window_value Width) x $(window_value Height), not 170 x 174"
  [[ $(xprop -id "$win" _NET_FRAME_EXTENTS) == *"= 0, 0, 0, 0" ]] || fail "the window has a frame"
  wait_until 5 has_shape 170x174 || fail "the window has no elliptical shape"
  wait_until 5 on_top || fail "not always on top: $(window_state)"
  wait_until 5 has_opacity "$opacity_half" ||
    fail "not half transparent: $(xprop -id "$win" _NET_WM_WINDOW_OPACITY)"
  wait_until 5 is green $(at 85 6) || fail "no green tick at 12"
}

# drag <x> <y> <dx> <dy>: a left drag from a window point in three steps of (dx, dy) screen
# pixels, each waiting for the window to follow, as a hand would.
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

# A fresh virtual display with the desktop coloured, the program copied to $work.
e2e_begin() {
  mkdir -p "$shots"
  cp "$program" "$work/vestrel"
  xsession_start
  xsession_colour_desktop "$desktop"
  is desktop 0 0 || fail "could not colour the desktop"
}
