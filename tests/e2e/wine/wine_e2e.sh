#!/usr/bin/env bash
# Vestrel.exe under wine in a fresh prefix: the window and its face, dragging, the popup menu,
# the countdown, the version box, the "●", exit from the menu and Alt+F4, the settings file.
set -euo pipefail

exe=${1:?usage: wine_e2e.sh path/to/Vestrel.exe [screenshot folder]}
e2e_name=wine_e2e
shots=${2:-$(dirname "$0")/../../../build/linux/e2e}
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
wine_session 時計テスト
ini="$app_dir/Vestrel.ini"

# The clock near 03:00:40, with the host's report of the handles it held at exit in its output.
start_at_three() {
  start_clock env WINEDEBUG=-all,warn+seh NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f '@2024-03-01 03:00:40'
}
expect_exit_zero() {
  await_exit 0
  grep -aq "handles held at exit: GDI 0, USER 0" "$work/run.log" ||
    fail "the host did not release all its GDI and USER objects: $(grep -a 'handles held' "$work/run.log")"
}
open_menu() {
  xdotool mousemove $(at 40 130) mousedown 3
  expect_menu_at $((left + 40)) $((top + 130)) "a right press"
  xdotool mouseup 3
}
dark() { (($1 + $2 + $3 < 230)); }
minutes_red() { count_in red $(at 118 80) 48 18; }

step "first run, without settings: at the top left, with every property"
start_at_three
[[ "$left,$top" == "0,0" ]] || fail "window is at $left,$top, expected 0,0 without settings"
expect_clock_window 169x173 83 8
shot wine-face
for corner in "2 2" "167 2" "2 171" "167 171"; do
  is desktop $(at $corner) || fail "($corner) outside the ellipse is not the desktop"
done
while read -r x y colour what; do
  is "$colour" $(at "$x" "$y") || fail "$what at ($x,$y) is not $colour (wine-face.png)"
done <<'POINTS'
57 60 black the face
111 114 black the face
160 86 green the tick at 3
6 86 green the tick at 9
69 102 yellowish the glow of the ball around the ●
84 87 black the ● over the ball's centre
115 87 green the hour hand at 3
83 50 green the minute hand at 12
POINTS
(($(count_in red "$left" "$top" 170 174) > 20)) || fail "no second hand: too few red pixels"
(($(minutes_red) == 0)) || fail "red where only a countdown prints its minutes"

step "dragging the window: the release outside it arrives through the capture"
xdotool mousemove $(at 40 130) mousedown 1 mousemove $(at 140 180) mouseup 1
wait_until 5 at_position 100 50 || fail "the drag left the window at $(geometry "$win")"
locate

step "the popup menu; 終了 ends the clock and saves the settings"
open_menu
shot wine-menu
menu_text=$(count_in dark $((menu_left + 30)) $((menu_top + 4)) $((menu_width - 40)) \
  $((menu_height - 8)))
((menu_text > 200)) || fail "the menu shows no captions ($menu_text dark pixels, wine-menu.png)"
xdotool mousemove $(menu_item 11) click 1  # 終了
expect_exit_zero
expect_file "$ini" '"0","",1500,750,""'

step "second run: the saved position, a countdown"
start_at_three
wait_until 5 at_position 100 50 || fail "the saved position was not restored: $(geometry "$win")"
locate
open_menu
xdotool key Down Down Return  # past the separator to 3分ﾀｲﾏｰ
minutes_printed() { (($(minutes_red) > 15)); }
wait_until 5 minutes_printed || fail "the countdown's minutes were not printed"
shot wine-countdown

step "showing the version box"
open_menu
xdotool mousemove $(menu_item -11) click 1  # ﾊﾞｰｼﾞｮﾝ情報, the last item
box=$(timeout 30 xdotool search --sync --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報') || fail "no version box"
shot wine-version
xdotool key --window "$box" Return 2>/dev/null || true  # as with close_window
box_gone() { ! xwininfo -id "$box" 2>/dev/null | grep -q IsViewable; }
wait_until 5 box_gone || fail "the version box did not close"

step "a click on the ● makes the window opaque; Alt+F4 closes it"
xdotool mousemove $(at 84 87) click 1
opaque() { xprop -id "$win" _NET_WM_WINDOW_OPACITY | grep -q 'not found'; }
wait_until 5 opaque || fail "a click on the ● did not make the window opaque"
close_window
expect_exit_zero
expect_file "$ini" '"0","1",1500,750,""'

step "passed; screenshots in $shots"
