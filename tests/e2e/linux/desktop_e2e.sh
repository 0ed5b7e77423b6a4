#!/usr/bin/env bash
# The Linux program as desktops run it: in a Wayland session (headless Weston) it opens its X11
# window with every property, and without an X display it ends with one clear message. The
# window has no taskbar entry yet takes clicks, drags and keys; Shift+F10 and the Menu key open
# the menu at its centre; the menu ignores the right button over its items.
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

# keyboard_menu <key> <x> <y>: the key opens the menu with its corner at that window point.
keyboard_menu() {
  type_into_clock "$1"
  wait_until 3 menu_open || fail "$1 opened no menu"
  [[ $(menu_corner) == "$(at "$2" "$3")" ]] ||
    fail "$1: the menu is at $(menu_corner), not at the window's centre $(at "$2" "$3")"
}
no_taskbar_entry() {
  has_state SKIP_TASKBAR && has_state SKIP_PAGER || fail "a taskbar entry $1: $(window_state)"
}

e2e_begin

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=vestrel-wayland --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null || true; wait "$weston_pid" 2>/dev/null || true; cleanup' EXIT
wait_until 10 test -S "$XDG_RUNTIME_DIR/vestrel-wayland" || fail "Weston did not start"
wayland=(env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=vestrel-wayland XDG_SESSION_TYPE=wayland)

step "the session really draws Qt programs on Wayland when they ask for it"
"${wayland[@]}" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$work/vestrel" >"$work/wayland.log" 2>&1 &
clock=$!
wait_until 5 grep -q 'get_toplevel' "$work/wayland.log" ||
  fail "the program did not reach Weston: $(cat "$work/wayland.log")"
[[ -z $(xdotool search --classname vestrel 2>/dev/null) ]] ||
  fail "a window on X although the platform was wayland"
kill "$clock"
await_exit

step "in the Wayland session the program opens its X11 window with every property"
start_clock "${wayland[@]}"
expect_clock_window 170x174 85 6
grep -q 'opacity' "$work/output.log" && fail "Qt refused the opacity: $(cat "$work/output.log")"
no_taskbar_entry
xprop -id "$win" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY ||
  fail "not a tool window: $(xprop -id "$win" _NET_WM_WINDOW_TYPE)"
shot desktop-start

step "it still takes clicks and drags"
xdotool mousemove $(at 84 88) click 1
wait_until 3 has_opacity "$opacity_full" || fail "the ● did not make the window opaque"
drag 40 130 20 10

step "Shift+F10 opens the popup menu at the window's centre"
xdotool mousemove 1000 700  # the pointer far away: the menu must not open there
keyboard_menu shift+F10 85 87
shot desktop-keyboard-menu
close_menu
running || fail "the program ended"

step "the Menu key opens the same menu; 小さく chosen with the keyboard"
keyboard_menu Menu 85 87
xdotool key Down Down Down Down Down Down Return  # the sixth item
wait_until 3 menu_closed || fail "the menu stayed open"
wait_until 3 has_size 108 110 || fail "小さく did not make the window small"
no_taskbar_entry "after the size change"

step "always on top switched off from the keyboard; still no taskbar entry"
locate
keyboard_menu shift+F10 54 55
xdotool key Down Down Down Down Down Down Down Return  # 最前面表示
wait_until 3 not_on_top || fail "still always on top"
no_taskbar_entry "with always on top off"

step "the popup menu ignores the right button over its items"
right_button_chooses_nothing desktop-right-button

close_clock

step "without any X display: one clear message and a failure exit"
for display in "-u DISPLAY" "DISPLAY=:77"; do
  code=0
  env $display "${wayland[@]}" "$work/vestrel" >"$work/no-x.out" 2>"$work/no-x.err" || code=$?
  ((code != 0)) || fail "exit code 0 without an X display ('$display')"
  [[ $(wc -l <"$work/no-x.err") == 1 && ! -s "$work/no-x.out" ]] ||
    fail "not one message without an X display: $(cat "$work/no-x.out" "$work/no-x.err")"
  grep -q 'needs X11 or XWayland' "$work/no-x.err" || fail "unclear message: $(cat "$work/no-x.err")"
done

echo "PASS (screenshots in $shots)"
