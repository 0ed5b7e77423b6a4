#!/usr/bin/env bash
# End-to-end test of Vestrel.exe under wine on a virtual X display: the clock window, its face,
# dragging, the popup menu, the version box, the "●" toggle, closing from the menu and with
# Alt+F4, and the settings file written beside the executable.
#
#   wine_e2e.sh path/to/Vestrel.exe [screenshot folder]
#
# Everything happens in a fresh wine prefix in a temporary folder, removed afterwards.
set -euo pipefail

exe=${1:?usage: wine_e2e.sh path/to/Vestrel.exe [screenshot folder]}
e2e_name=wine_e2e
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
shots=${2:-$repo/build/linux/e2e}

mkdir -p "$shots"
wine_session 時計テスト
ini="$app_dir/Vestrel.ini"

# The clock near 03:00:40, with the host's report of the handles it held at exit in its output.
start_at_three() {
  start_clock env WINEDEBUG=-all,warn+seh NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f '@2024-03-01 03:00:40'
}
# Waits for the clock to end with exit code 0, every GDI and USER object released.
expect_exit_zero() {
  await_exit 0
  grep -aq "handles held at exit: GDI 0, USER 0" "$work/run.log" ||
    fail "the host did not release all its GDI and USER objects: $(grep -a 'handles held' "$work/run.log")"
}
has_property() { xprop -id "$win" "$1" | grep -q "$2"; }
# A right press at (40, 130) opens the popup menu at the pointer with its nine items.
open_menu() {
  xdotool mousemove $(at 40 130) mousedown 3
  expect_menu_at $(($left + 40)) $(($top + 130)) "a right press"
  xdotool mouseup 3
}
# Clicks the menu's first (y from its top) or last (y from its bottom, negative) item.
click_menu_item() {
  local y=$1
  ((y >= 0)) || y=$((menu_height + y))
  xdotool mousemove $((menu_left + 30)) $((menu_top + y)) click 1
}
dark() { (($1 + $2 + $3 < 230)); }
# The strongly red pixels where a countdown prints its minutes, right of the centre.
minutes_red() { count_in red $(at 118 80) 48 18; }

# --- First run, with no settings file: the window at the screen's top-left, half transparent,
# always on top, with the face and the hands.
step "first run"
start_at_three
[[ "$width x $height" == "170 x 174" ]] || fail "window is $width x $height, expected 170 x 174"
[[ "$left,$top" == "0,0" ]] || fail "window is at $left,$top, expected 0,0 without settings"
# The program shapes the window and makes it layered just after showing it: wait for that.
wait_until 5 has_property _NET_FRAME_EXTENTS '= 0, 0, 0, 0' ||
  fail "the window has a frame: $(xprop -id "$win" _NET_FRAME_EXTENTS)"
has_shape() { xwininfo -shape -id "$win" | grep -q 'Window shape extents: *169x173+0+0'; }
wait_until 5 has_shape ||
  fail "the window has no elliptical shape: $(xwininfo -shape -id "$win" | grep -i shape)"
wait_until 5 has_property _NET_WM_WINDOW_OPACITY '= 2155905152$' ||
  fail "the window is not half transparent: $(xprop -id "$win" _NET_WM_WINDOW_OPACITY)"
wait_until 5 has_property _NET_WM_STATE _NET_WM_STATE_ABOVE ||
  fail "the window is not always on top: $(xprop -id "$win" _NET_WM_STATE)"
wait_until 5 has_property _NET_WM_ICON 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"

wait_until 10 is green $(at 83 8) || fail "the face was not drawn"
step "checking the face (wine-face.png)"
shot wine-face
for corner in "2 2" "167 2" "2 171" "167 171"; do
  is desktop $(at $corner) || fail "($corner) outside the ellipse is not the desktop"
done
# point, colour, what shows there
while read -r x y colour what; do
  is "$colour" $(at "$x" "$y") || fail "$what at ($x,$y) is not $colour (wine-face.png)"
done <<'POINTS'
57 60 black the face
111 114 black the face
83 8 green the tick at 12
160 86 green the tick at 3
6 86 green the tick at 9
69 102 yellowish the glow of the ball around the ●
84 87 black the ● over the ball's centre
115 87 green the hour hand at 3
83 50 green the minute hand at 12
POINTS
reds=$(count_in red "$left" "$top" 170 174)
((reds > 20)) || fail "no second hand: $reds red pixels"
(($(minutes_red) == 0)) || fail "red where only a countdown prints its minutes"

# A left drag from (40,130) to (140,180) moves the window by (100,50); the release lies outside
# the window, so it arrives only through the capture.
step "dragging the window"
xdotool mousemove $(at 40 130) mousedown 1 mousemove $(at 140 180) mouseup 1
wait_until 5 at_position 100 50 || fail "the drag left the window at $(geometry "$win")"
left=100 top=50

step "opening the popup menu"
open_menu
shot wine-menu
# The menu's ground is light and its captions dark.
menu_text=$(count_in dark $((menu_left + 30)) $((menu_top + 4)) $((menu_width - 40)) \
  $((menu_height - 8)))
((menu_text > 200)) || fail "the menu shows no captions ($menu_text dark pixels, wine-menu.png)"

step "choosing 終了"
click_menu_item 11
expect_exit_zero
expect_file "$ini" '"0","",1500,750,""'

# --- Second run: the settings put the window back where it was. A 3 minute countdown from
# the menu prints its minutes on the face; the version box from the menu; a click on the ●
# makes the window opaque; Alt+F4 closes the window.
step "second run"
start_at_three
wait_until 5 at_position 100 50 || fail "the saved position was not restored: $(geometry "$win")"
read -r left top _ < <(geometry "$win")

step "starting a countdown"
open_menu
xdotool key Down Down Return  # the first item, then past the separator to 3分ﾀｲﾏｰ
# "A 3" in red right of the centre, over the hour hand; the second hand is on the left.
minutes_printed() { (($(minutes_red) > 15)); }
wait_until 5 minutes_printed || fail "the countdown's minutes were not printed"
shot wine-countdown

step "showing the version box"
open_menu
click_menu_item -11
box=$(timeout 30 xdotool search --sync --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' | head -n1) || true
[[ -n "$box" ]] || fail "the version box did not appear"
shot wine-version
xdotool key --window "$box" Return 2>/dev/null || true  # as with close_window
box_gone() { ! xwininfo -id "$box" 2>/dev/null | grep -q IsViewable; }
wait_until 5 box_gone || fail "the version box did not close"

step "clicking the ●"
xdotool mousemove $(at 84 87) click 1
opaque() { has_property _NET_WM_WINDOW_OPACITY 'not found'; }  # no opacity: fully opaque
wait_until 5 opaque || fail "a click on the ● did not make the window opaque"

step "closing with Alt+F4"
close_window
expect_exit_zero
expect_file "$ini" '"0","1",1500,750,""'

step "passed; screenshots in $shots"
