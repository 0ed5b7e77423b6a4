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

# near <test> <x> <y>: some pixel of the 3 x 3 block around it passes.
near() { near_in "$1" $(($2 - 1)) $(($3 - 1)) 3 3; }
# hand <angle> <radius>: the point of the face that far from its centre in that direction
# (degrees clockwise from 12).
hand() { awk -v a="$1" -v r="$2" 'BEGIN { t = a * atan2(0, -1) / 180;
  printf "%d %d", 85 + r * sin(t) + 0.5, 87 - r * cos(t) + 0.5 }'; }
# Pinned to 10:10:30 at start; the faked clock then runs on.
start_pinned() { start_clock faketime '2026-01-01 10:10:30'; }
# Two clicks on the ●: opaque, then half transparent again.
toggle_dot() {
  xdotool mousemove $(at 84 88) click 1
  wait_until 3 has_opacity "$opacity_full" || fail "the ● did not make the window opaque"
  xdotool click 1
  wait_until 3 has_opacity "$opacity_half" || fail "the ● did not fade the window back"
}
# choose <keys...>: opens the menu and picks an item with the keyboard.
choose() {
  open_menu
  xdotool key "$@" Return
  wait_until 3 menu_closed || fail "the menu stayed open"
}

e2e_begin
rm -f "$shots"/*.png

step "start: the window appears, with the face at 10:10"
start_pinned
expect_clock_window
xprop -id "$win" WM_NAME | grep -q '"Vestrel"' || fail "title is not Vestrel"
# The whole property (xprop cuts long ones short), which may come a moment after the mapping.
has_icon() { xprop -len 1000000000 -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; }
wait_until 5 has_icon || fail "no 32 x 32 window icon"
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
face_sum() { import -window root -crop 170x174+$left+$top +repage rgb:- | md5sum; }
before=$(face_sum)
moved() { [[ $(face_sum) != "$before" ]]; }
wait_until 3 moved || fail "the second hand does not move"

step "the ● switches to opaque and fades back to half"
toggle_dot

step "dragging the face moves the window"
drag 40 130 10 5
shot moved

step "a right press opens the popup menu"
open_menu
read -r _ _ menu_w menu_h < <(geometry "$(menu_windows | head -n1)")
((menu_w >= 60 && menu_w <= 400 && menu_h >= 8 * 15 && menu_h <= 9 * 40)) ||
  fail "menu of ${menu_w} x ${menu_h} cannot hold nine items"
shot menu
close_menu
# The part of the face the menu covered is drawn again: none of the menu's light pixels stay.
light() { (($1 > 160 && $2 > 160 && $3 > 160)); }
redrawn() { ! near_in light $(at 60 130) 60 30; }
wait_until 2 redrawn || fail "the face is not drawn again where the menu was"

step "最前面表示 switches always-on-top off and on; the shape and the transparency stay"
choose Down Down Down Down Down Down Down  # the eighth entry
wait_until 3 not_on_top || fail "still always on top"
has_shape 170x174 || fail "the shape was lost"
has_opacity "$opacity_half" || fail "the transparency was lost"
choose Down Down Down Down Down Down Down
wait_until 3 on_top || fail "not always on top again"

step "the ● still answers after a menu"
toggle_dot

step "3分ﾀｲﾏｰ prints the minutes left on the face"
choose Down Down  # the entry after the separator
# The countdown's red "A 3" under the 2.
wait_until 3 near_in red $(at 118 80) 40 20 || fail "no countdown on the face"
shot countdown

step "ﾊﾞｰｼﾞｮﾝ情報 shows the version box"
choose Up  # the last entry
box=$(timeout 30 xdotool search --sync --limit 1 --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報') || fail "no version box"
sleep 0.3  # let it paint
shot version
xdotool windowactivate --sync "$box" key Return
wait_until 3 bash -c "! xdotool search --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' >/dev/null" ||
  fail "the version box stayed open"

step "終了 ends the program and saves the settings"
open_menu
choose_exit
await_exit 0
# Large face, opaque setting and always-on-top setting as the ● and the menu left them
# ("0": half transparent, on top), the position in twips.
saved=$(printf '"0","0",%d,%d,"0"' $((left * 15)) $((top * 15)))
expect_file "$work/Vestrel.ini" "$saved"

step "the next start restores the position; closing the window ends it too"
read -r saved_left saved_top <<<"$left $top"
start_pinned
wait_until 5 at_position "$saved_left" "$saved_top" || fail "restarted at $(geometry "$win")"
type_into_clock alt+F4
await_exit 0
expect_file "$work/Vestrel.ini" "$saved"

step "a settings file that cannot be written ends the program with the run-time error"
rm -f "$work/Vestrel.ini"
mkdir "$work/Vestrel.ini"  # a folder in its place: opening it for output fails
start_pinned
type_into_clock alt+F4
dismiss_error_box runtime_error
await_exit 1

echo "PASS (screenshots in $shots)"
