#!/usr/bin/env bash
# The Linux program on a virtual X server at a pinned time, as a user sees it: the window and
# its face, the ● toggle, dragging, the popup menu, always on top, the countdown, the version
# box, exit and close, the settings file and the run-time error when it cannot be written.
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

# hand <angle> <radius> [offset]: the face's point that far from its centre in that direction
# (degrees clockwise from 12), moved by the offset on both axes.
hand() { awk -v a="$1" -v r="$2" -v o="${3:-0}" 'BEGIN { t = a * atan2(0, -1) / 180;
  printf "%d %d", 85 + r * sin(t) + 0.5 + o, 87 - r * cos(t) + 0.5 + o }'; }
start_pinned() { start_clock faketime '2026-01-01 10:10:30'; }
toggle_dot() {
  xdotool mousemove $(at 84 88) click 1
  wait_until 3 has_opacity "$opacity_full" || fail "the ● did not make the window opaque"
  xdotool click 1
  wait_until 3 has_opacity "$opacity_half" || fail "the ● did not fade the window back"
}
choose() {
  open_menu
  xdotool key "$@" Return
  wait_until 3 menu_closed || fail "the menu stayed open"
}

e2e_begin
rm -f "$shots"/*.png

step "start: the window appears, with the face at 10:10"
start_pinned
expect_clock_window 170x174 85 6
xprop -id "$win" WM_NAME | grep -q '"Vestrel"' || fail "title is not Vestrel"
shot face
for corner in "1 1" "168 1" "1 172" "168 172"; do
  is desktop $(at $corner) || fail "corner $corner is not the desktop"
done
is black $(at 40 40) || fail "the face is not black"
is yellowish $(at 85 65) || fail "no yellow ball around the centre"
is black $(at 85 88) || fail "no black ● over the ball"
near_in green $(at $(hand 60 35 -1)) 3 3 || fail "the minute hand does not point at 2"
near_in green $(at $(hand 305 30 -1)) 3 3 || fail "the hour hand does not point at 10"
face_sum() { import -window root -crop 170x174+$left+$top +repage rgb:- | md5sum; }
before=$(face_sum)
moved() { [[ $(face_sum) != "$before" ]]; }
wait_until 3 moved || fail "the second hand does not move"

step "the ● switches to opaque and fades back to half; dragging the face moves the window"
toggle_dot
drag 40 130 10 5
shot moved

step "a right press opens the popup menu"
open_menu
shot menu
close_menu
# None of the menu's light pixels stay on the face.
light() { (($1 > 160 && $2 > 160 && $3 > 160)); }
redrawn() { ! near_in light $(at 60 130) 60 30; }
wait_until 2 redrawn || fail "the face is not drawn again where the menu was"

step "最前面表示 switches always-on-top off and on; the shape and the transparency stay"
choose Down Down Down Down Down Down Down  # the eighth item
wait_until 3 not_on_top || fail "still always on top"
has_shape 170x174 || fail "the shape was lost"
has_opacity "$opacity_half" || fail "the transparency was lost"
choose Down Down Down Down Down Down Down
wait_until 3 on_top || fail "not always on top again"

toggle_dot  # the ● still answers after a menu

step "3分ﾀｲﾏｰ prints the minutes left on the face"
choose Down Down  # past the separator
wait_until 3 near_in red $(at 118 80) 40 20 || fail "no countdown on the face"
shot countdown

step "ﾊﾞｰｼﾞｮﾝ情報 shows the version box"
choose Up  # the last item
box=$(timeout 30 xdotool search --sync --limit 1 --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報') || fail "no version box"
sleep 0.3  # let it paint
shot version
xdotool windowactivate --sync "$box" key Return
wait_until 3 bash -c "! xdotool search --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' >/dev/null" ||
  fail "the version box stayed open"

step "終了 ends the program and saves the settings"
open_menu
xdotool mousemove $(menu_item 10) click 1  # 終了
await_exit 0
# Large, half transparent, on top; the position in twips.
saved=$(printf '"0","0",%d,%d,"0"' $((left * 15)) $((top * 15)))
expect_file "$work/Vestrel.ini" "$saved"

step "a settings file that cannot be written ends the program with the run-time error"
rm -f "$work/Vestrel.ini"
mkdir "$work/Vestrel.ini"  # a folder in its place: opening it for output fails
start_pinned
type_into_clock alt+F4
dismiss_error_box runtime_error
await_exit 1

echo "PASS (screenshots in $shots)"
