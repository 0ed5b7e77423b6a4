#!/usr/bin/env bash
# Runs the built Linux program on a virtual X server at a pinned time of day and checks it
# the way a user sees it: the shaped, half-transparent, always-on-top window and its face,
# the "●" switching the transparency, dragging, the popup menu with its Japanese captions,
# always-on-top off and on, the countdown, the version box, exiting from the menu, closing
# the window, the settings file the program leaves beside itself, and the run-time error
# box when that file cannot be written.
#
#   linux_e2e.sh <path to vestrel> [folder for the screenshots]
set -euo pipefail

program=$(realpath "$1")
shots=$(realpath -m "${2:-$PWD/e2e}")
source "$(dirname "$0")/e2e_lib.sh"

opacity_half=2155905152   # 0x80808080: alpha 128 of 255
opacity_full=4294967295   # 0xffffffff

# near <test> <x> <y>: some pixel of the 3 x 3 block around it passes.
near() { near_in "$1" $(($2 - 1)) $(($3 - 1)) 3 3; }
# near_in <test> <x> <y> <w> <h>: some pixel of the block passes.
near_in() {
  local r g b
  while read -r r g b; do
    "$1" "$r" "$g" "$b" && return 0
  done < <(block "$2" "$3" "$4" "$5")
  return 1
}
# hand <angle> <radius>: the point of the face that far from its centre in that direction
# (degrees clockwise from 12).
hand() { awk -v a="$1" -v r="$2" 'BEGIN { t = a * atan2(0, -1) / 180;
  printf "%d %d", 85 + r * sin(t) + 0.5, 87 - r * cos(t) + 0.5 }'; }

opacity() { xprop -id "$win" _NET_WM_WINDOW_OPACITY | sed -n 's/.* = //p'; }
has_opacity() { [[ $(opacity) == "$1" ]]; }
on_top() { has_state _NET_WM_STATE_ABOVE; }
not_on_top() { ! on_top; }
# Pinned to 10:10:30 at start; the faked clock then runs on.
start_pinned() { start_clock faketime '2026-01-01 10:10:30'; }
# Two clicks on the ●: opaque, then half transparent again.
toggle_dot() {
  xdotool mousemove $(at 84 88) click 1
  wait_until 3 has_opacity "$opacity_full" || fail "the ● did not make the window opaque"
  xdotool click 1
  wait_until 3 has_opacity "$opacity_half" || fail "the ● did not fade the window back"
}
# A right press on the face; the popup menu must open.
open_menu() {
  xdotool mousemove $(at 40 120) mousedown 3 mouseup 3
  wait_until 3 popup_open || fail "no popup menu"
}

e2e_begin
rm -f "$shots"/*.png

step "start: the window appears"
start_pinned
locate
[[ $(window_value Width) == 170 && $(window_value Height) == 174 ]] ||
  fail "window is $(window_value Width) x $(window_value Height), not 170 x 174"
[[ $(xprop -id "$win" _NET_FRAME_EXTENTS) == *"= 0, 0, 0, 0" ]] || fail "the window has a frame"
xprop -id "$win" WM_NAME | grep -q '"Vestrel"' || fail "title is not Vestrel"
# The whole property (xprop cuts long ones short), which may come a moment after the mapping.
has_icon() { xprop -len 1000000000 -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; }
wait_until 5 has_icon || fail "no 32 x 32 window icon"
xwininfo -shape -id "$win" | grep -q 'Window shape extents: *170x174+0+0' ||
  fail "the window has no elliptical shape"
wait_until 5 on_top || fail "_NET_WM_STATE_ABOVE is not set"
wait_until 5 has_opacity "$opacity_half" || fail "opacity is '$(opacity)', not 50%"

step "the face at 10:10"
wait_until 5 is green $(at 85 6) || fail "no green tick at 12"
shot face
for corner in "1 1" "168 1" "1 172" "168 172"; do
  is desktop $(at $corner) || fail "corner $corner is not the desktop"
done
is black $(at 40 40) || fail "the face is not black"
is yellowish $(at 85 65) || fail "no yellow ball around the centre"
is black $(at 85 88) || fail "no black ● over the ball"
# 10:10: the minute hand at 60 degrees, the hour hand at 305.
near green $(at $(hand 60 35)) || fail "the minute hand does not point at 2"
near green $(at $(hand 305 30)) || fail "the hour hand does not point at 10"
before=$(import -window root -crop 170x174+$left+$top +repage rgb:- | md5sum)
wait_until 3 bash -c "[[ \$(import -window root -crop 170x174+$left+$top +repage rgb:- | md5sum) != '$before' ]]" ||
  fail "the second hand does not move"

step "the ● switches to opaque and fades back to half"
toggle_dot

step "dragging the face moves the window"
# Each step waits for the window to follow, as a hand would.
xdotool mousemove $(at 40 130) mousedown 1
for i in 1 2 3; do
  xdotool mousemove $((left + 40 + 10 * i)) $((top + 130 + 5 * i))
  wait_until 3 at_position $((left + 10 * i)) $((top + 5 * i)) ||
    fail "window at $(window_value 'Absolute upper-left X'),$(window_value 'Absolute upper-left Y')"
done
xdotool mouseup 1
locate
shot moved

step "a right press opens the popup menu"
open_menu
menu=$(popup_windows | head -n1)
menu_w=$(xwininfo -id "$menu" | sed -n 's/^ *Width: *//p')
menu_h=$(xwininfo -id "$menu" | sed -n 's/^ *Height: *//p')
((menu_w >= 60 && menu_w <= 400 && menu_h >= 8 * 15 && menu_h <= 9 * 40)) ||
  fail "menu of ${menu_w} x ${menu_h} cannot hold nine items"
shot menu

step "最前面表示 switches always-on-top off and on; the shape stays"
xdotool key Down Down Down Down Down Down Down Return  # the eighth entry
wait_until 3 popup_closed || fail "the menu stayed open"
wait_until 3 not_on_top || fail "still always on top"
xwininfo -shape -id "$win" | grep -q 'Window shape extents: *170x174+0+0' ||
  fail "the shape was lost"
[[ $(opacity) == "$opacity_half" ]] || fail "the transparency was lost"
open_menu
xdotool key Down Down Down Down Down Down Down Return
wait_until 3 on_top || fail "not always on top again"

step "the ● still answers after a menu"
toggle_dot

step "3分ﾀｲﾏｰ prints the minutes left on the face"
open_menu
xdotool key Down Down Return  # the entry after the separator
# The countdown's red "A 3" under the 2.
wait_until 3 near_in red $(at 118 80) 40 20 || fail "no countdown on the face"
shot countdown

step "ﾊﾞｰｼﾞｮﾝ情報 shows the version box"
open_menu
xdotool key Up Return  # the last entry
box=$(timeout 30 xdotool search --sync --limit 1 --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報') || fail "no version box"
sleep 0.3  # let it paint
shot version
xdotool windowactivate --sync "$box" key Return
wait_until 3 bash -c "! xdotool search --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' >/dev/null" ||
  fail "the version box stayed open"

step "終了 ends the program and saves the settings"
open_menu
menu=$(popup_windows | head -n1)
menu_x=$(xwininfo -id "$menu" | sed -n 's/^ *Absolute upper-left X: *//p')
menu_y=$(xwininfo -id "$menu" | sed -n 's/^ *Absolute upper-left Y: *//p')
xdotool mousemove $((menu_x + 30)) $((menu_y + 10)) click 1  # the first entry
await_exit
[[ $code == 0 ]] || fail "exit code $code"
# Large face, opaque setting and always-on-top setting as the ● and the menu left them
# ("0": half transparent, on top), the position in twips, one record with CR LF.
expected=$(printf '"0","0",%d,%d,"0"' $((left * 15)) $((top * 15)))
settings_saved() { cmp -s <(printf '%s\r\n' "$expected") "$work/Vestrel.ini"; }
settings_saved || fail "Vestrel.ini is '$(cat -A "$work/Vestrel.ini")', not '$expected' + CR LF"

step "the next start restores the position; closing the window ends it too"
start_pinned
wait_until 5 at_position "$left" "$top" ||
  fail "restarted at $(window_value 'Absolute upper-left X'),$(window_value 'Absolute upper-left Y')"
xdotool windowactivate --sync "$win" key alt+F4
await_exit
[[ $code == 0 ]] || fail "exit code $code after closing"
settings_saved || fail "Vestrel.ini changed: $(cat -A "$work/Vestrel.ini")"

step "a settings file that cannot be written ends the program with the run-time error"
rm -f "$work/Vestrel.ini"
mkdir "$work/Vestrel.ini"  # a folder in its place: opening it for output fails
start_pinned
xdotool windowactivate --sync "$win" key alt+F4
error_box() { xdotool search --onlyvisible --name '^Vestrel$' | grep -vx "$win"; }
wait_until 5 error_box >/dev/null || fail "no run-time error box"
sleep 0.3  # let it paint
shot runtime_error
xdotool windowactivate --sync "$(error_box | head -n1)" key Return
await_exit
[[ $code == 1 ]] || fail "exit code $code after the run-time error"

echo "PASS (screenshots in $shots)"
