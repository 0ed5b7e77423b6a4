#!/usr/bin/env bash
# The Linux program as ordinary desktops run it: in a Wayland session (a headless Weston with
# Qt's Wayland plugin installed) it still opens its X11 window, through XWayland on a real
# desktop and on the virtual X display here; without any X display it ends with one clear
# message. The window has no taskbar or pager entry yet takes clicks, drags, the keyboard and
# Alt+F4; Shift+F10 and the Menu key open the popup menu at its centre; the menu ignores the
# right button over its items.
#
#   desktop_e2e.sh <path to vestrel> [folder for the screenshots]
set -euo pipefail

program=$(realpath "$1")
shots=$(realpath -m "${2:-$PWD/e2e}")
source "$(dirname "$0")/e2e_lib.sh"

opacity_half=2155905152  # 0x80808080: alpha 128 of 255

# Keys typed into the clock window, given the focus first as a click would.
type_into_clock() {
  xdotool windowactivate --sync "$win" 2>/dev/null || true  # warns about an openbox property
  xdotool key "$@"
}

e2e_begin

step "a headless Weston as the Wayland session"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=vestrel-wayland --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
stop_weston() {
  kill "$weston_pid" 2>/dev/null || true
  wait "$weston_pid" 2>/dev/null || true
}
trap 'stop_weston; cleanup' EXIT
wait_until 10 test -S "$XDG_RUNTIME_DIR/vestrel-wayland" || fail "Weston did not start"
wayland=(env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=vestrel-wayland XDG_SESSION_TYPE=wayland)

step "the session really draws Qt programs on Wayland when they ask for it"
"${wayland[@]}" QT_QPA_PLATFORM=wayland "$work/vestrel" >"$work/wayland.log" 2>&1 &
clock=$!
wait_until 5 grep -q 'does not support setting window opacity' "$work/wayland.log" ||
  fail "the program did not reach Weston: $(cat "$work/wayland.log")"
[[ -z $(xdotool search --classname vestrel 2>/dev/null) ]] ||
  fail "a window on X although the platform was wayland"
kill "$clock"
wait "$clock" 2>/dev/null || true
clock=

step "in the Wayland session the program opens its X11 window with every property"
start_clock "${wayland[@]}"
locate
[[ $(window_value Width) == 170 && $(window_value Height) == 174 ]] ||
  fail "window is $(window_value Width) x $(window_value Height), not 170 x 174"
[[ $(xprop -id "$win" _NET_FRAME_EXTENTS) == *"= 0, 0, 0, 0" ]] || fail "the window has a frame"
xwininfo -shape -id "$win" | grep -q 'Window shape extents: *170x174+0+0' ||
  fail "the window has no elliptical shape"
wait_until 5 has_state _NET_WM_STATE_ABOVE || fail "not always on top: $(window_state)"
wait_until 5 bash -c "xprop -id $win _NET_WM_WINDOW_OPACITY | grep -q '= $opacity_half'" ||
  fail "not half transparent: $(xprop -id "$win" _NET_WM_WINDOW_OPACITY)"
wait_until 5 is green $(at 85 6) || fail "no face"
grep -q 'opacity' "$work/output.log" && fail "Qt refused the opacity: $(cat "$work/output.log")"

step "no taskbar or pager entry"
for state in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
  has_state "$state" || fail "$state is not set: $(window_state)"
done
xprop -id "$win" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY ||
  fail "not a tool window: $(xprop -id "$win" _NET_WM_WINDOW_TYPE)"
shot desktop-start

step "it still takes clicks and drags"
xdotool mousemove $(at 84 88) click 1
wait_until 3 bash -c "xprop -id $win _NET_WM_WINDOW_OPACITY | grep -q 'not found\|= 4294967295'" ||
  fail "the ● did not make the window opaque"
xdotool mousemove $(at 40 130) mousedown 1 mousemove $(at 60 140)
wait_until 3 at_position $((left + 20)) $((top + 10)) || fail "the drag did not move the window"
xdotool mouseup 1
locate

step "Shift+F10 opens the popup menu at the window's centre"
xdotool mousemove 1000 700  # the pointer far away: the menu must not open there
type_into_clock shift+F10
wait_until 3 popup_open || fail "Shift+F10 opened no menu"
read -r menu_x menu_y < <(popup_corner)
[[ "$menu_x $menu_y" == "$(at 85 87)" ]] ||
  fail "the menu opened at $menu_x,$menu_y, not at the window's centre $(at 85 87)"
shot desktop-keyboard-menu
xdotool key Escape
wait_until 3 popup_closed || fail "Escape did not close the menu"
wait_until 3 running || fail "the program ended"

step "the Menu key opens the same menu; 小さく chosen with the keyboard"
type_into_clock Menu
wait_until 3 popup_open || fail "the Menu key opened no menu"
read -r menu_x menu_y < <(popup_corner)
[[ "$menu_x $menu_y" == "$(at 85 87)" ]] || fail "the Menu key's menu is at $menu_x,$menu_y"
xdotool key Down Down Down Down Down Down Return  # the sixth item
wait_until 3 popup_closed || fail "the menu stayed open"
wait_until 3 bash -c "[[ \$(xwininfo -id $win | sed -n 's/^ *Width: *//p') == 108 ]]" ||
  fail "小さく did not make the window small"
has_state _NET_WM_STATE_SKIP_TASKBAR || fail "the size change brought back a taskbar entry"

step "always on top switched off from the keyboard; still no taskbar entry"
type_into_clock shift+F10
wait_until 3 popup_open || fail "no menu for the small clock"
read -r menu_x menu_y < <(popup_corner)
[[ "$menu_x $menu_y" == "$(at 54 55)" ]] ||
  fail "the small clock's menu is at $menu_x,$menu_y, not at its centre $(at 54 55)"
xdotool key Down Down Down Down Down Down Down Return  # 最前面表示
wait_until 3 bash -c "! xprop -id $win _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
  fail "still always on top"
for state in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
  has_state "$state" || fail "$state lost with always on top: $(window_state)"
done

step "the popup menu ignores the right button over its items"
# The press opens the menu with its corner under the pointer; the release lands on 終了.
xdotool mousemove $(at 20 60) mousedown 3
wait_until 3 popup_open || fail "no popup menu"
sleep 0.5
xdotool mousemove $(at 40 70) mouseup 3
sleep 0.5
running || fail "a right-button release over 終了 ended the program"
popup_open || fail "a right-button release over an item closed the menu"
read -r menu_x menu_y < <(popup_corner)
xdotool mousemove $((menu_x + 30)) $((menu_y + 10)) click 3  # a whole right click on 終了
sleep 0.5
running || fail "a right click on 終了 ended the program"
popup_open || fail "a right click on an item closed the menu"
shot desktop-right-button
xdotool key Escape
wait_until 3 popup_closed || fail "Escape did not close the menu"

step "Alt+F4 closes it"
type_into_clock alt+F4
await_exit
[[ $code == 0 ]] || fail "exit code $code after Alt+F4"

step "without any X display: one clear message and a failure exit"
for display in "" ":77"; do
  code=0
  if [[ -z $display ]]; then
    env -u DISPLAY "${wayland[@]}" "$work/vestrel" >"$work/no-x.out" 2>"$work/no-x.err" || code=$?
  else
    "${wayland[@]}" DISPLAY="$display" "$work/vestrel" >"$work/no-x.out" 2>"$work/no-x.err" ||
      code=$?
  fi
  ((code != 0)) || fail "exit code 0 without an X display ('$display')"
  [[ $(wc -l <"$work/no-x.err") == 1 && ! -s "$work/no-x.out" ]] ||
    fail "not one message without an X display: $(cat "$work/no-x.out" "$work/no-x.err")"
  grep -q 'needs X11 or XWayland' "$work/no-x.err" || fail "unclear message: $(cat "$work/no-x.err")"
done
echo "   $(cat "$work/no-x.err")"

echo "PASS (screenshots in $shots)"
