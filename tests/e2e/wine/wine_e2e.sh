#!/usr/bin/env bash
# End-to-end test of Vestrel.exe under wine on a virtual X display: the host's own checks
# (VestrelHostChecks.exe, built beside Vestrel.exe), then the clock window, its face, dragging,
# the popup menu, the version box, the "●" toggle, closing from the menu and with Alt+F4, and
# the settings file written beside the executable.
#
#   wine_e2e.sh path/to/Vestrel.exe [screenshot folder]
#
# Everything happens in a fresh wine prefix in a temporary folder, removed afterwards.
set -euo pipefail

exe=${1:?usage: wine_e2e.sh path/to/Vestrel.exe [screenshot folder]}
e2e_name=wine_e2e
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
shots=${2:-$repo/build/linux/e2e}

checks="$(dirname "$exe")/VestrelHostChecks.exe"
for built in "$exe" "$checks"; do
  [[ -f "$built" ]] || fail "$built does not exist; build it first:" \
    "cmake --preset windows && cmake --build --preset windows -j2"
done
for tool in wine wineboot wineserver Xvfb openbox xdotool xwininfo xprop import convert display \
  faketime localedef; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (see scripts/deps.sh)"
done
mkdir -p "$shots"

# --- Japanese locale (wine draws the Japanese menu captions only under one), X and wine.
step "building the ja_JP.UTF-8 locale"
japanese_locale

step "starting X"
xsession_start
# A blue desktop, so that what lies outside the clock's ellipse can be told from its face.
desktop_colour=2040A0
convert -size 8x8 "xc:#$desktop_colour" "$work/desktop.png"
display -window root "$work/desktop.png" || true  # reports 1 even when it worked
import -window root "$work/desktop-check.png"
[[ "$(convert "$work/desktop-check.png" -format '%[hex:p{5,5}]' info:)" == "$desktop_colour" ]] ||
  fail "could not colour the desktop"

step "creating the wine prefix"
wine_prefix 時計テスト
cp "$checks" "$app_dir/VestrelHostChecks.exe"
ini="$app_dir/Vestrel.ini"

# The host's own checks (files, painting, the window's messages), from the same folder.
step "host checks"
if ! wine "$app_dir/VestrelHostChecks.exe" >"$work/checks.log" 2>&1; then
  tr -d '\r' <"$work/checks.log" >&2
  fail "the host checks failed"
fi

# Starts the clock in the background; $@ goes before wine (e.g. a faketime prefix). The run's
# output (with the host's report of the handles it held at exit) goes to $work/run.log.
start_clock() {
  WINEDEBUG=-all,warn+seh "$@" wine "$app_dir/Vestrel.exe" >"$work/run.log" 2>&1 &
  app_pid=$!
}

# Waits for the clock's process to end and checks its exit code and handle report.
expect_exit_zero() {
  await_exit
  ((code == 0)) || fail "exit code $code, expected 0"
  grep -aq "handles held at exit: GDI 0, USER 0" "$work/run.log" ||
    fail "the host did not release all its GDI and USER objects: $(grep -a 'handles held' "$work/run.log")"
}

expect_ini() {
  local expected
  expected=$(printf '%s\r\n' "$1" | od -An -c)
  [[ -f "$ini" ]] || fail "Vestrel.ini was not written"
  [[ "$(od -An -c "$ini")" == "$expected" ]] ||
    fail "Vestrel.ini holds $(od -An -c "$ini"), expected $1 with CR LF"
}

# The clock's window: the visible window of the program below a window manager frame.
find_clock_window() {
  timeout 30 xdotool search --sync --onlyvisible --classname vestrel.exe | head -n1
}

screenshot() { import -window root "$1"; }

# Hex RRGGBB of the pixel at (x, y) of a picture.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info:; }

# Whether a pixel (hex RRGGBB) is of a kind: desktop, black, green or yellowish.
is_colour() {
  local kind=$1 hex=$2
  local r=$((16#${hex:0:2})) g=$((16#${hex:2:2})) b=$((16#${hex:4:2}))
  case $kind in
    desktop) [[ $hex == "$desktop_colour" ]] ;;
    black) ((r < 24 && g < 24 && b < 24)) ;;
    green) ((g > 160 && r < 80 && b < 80)) ;;
    yellowish) ((r > 96 && g > r / 2 && g <= r && b < 40)) ;;
  esac
}

# Checks the pixel at window-relative (x, y) of a screenshot: picture, window left and top,
# x, y, kind, what it shows.
expect_pixel() {
  local picture=$1 left=$2 top=$3 x=$4 y=$5 kind=$6 what=$7
  local hex
  hex=$(pixel "$picture" $((left + x)) $((top + y)))
  is_colour "$kind" "$hex" || fail "$what at ($x,$y) is #$hex, expected $kind ($picture)"
}

# Number of strongly red pixels in a window-sized area of a screenshot.
red_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx '(r>0.6 && g<0.3 && b<0.3) ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}

# --- First run, with the time of day fixed near 03:00:40 and no settings file: the window at
# the screen's top-left, half transparent, always on top, with the face and the hands.
step "first run"
start_clock env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@2024-03-01 03:00:40'
win=$(find_clock_window) || true
[[ -n "$win" ]] || fail "the clock window did not appear"

read -r left top width height < <(geometry "$win")
[[ "$width x $height" == "170 x 174" ]] || fail "window is $width x $height, expected 170 x 174"
[[ "$left,$top" == "0,0" ]] || fail "window is at $left,$top, expected 0,0 without settings"
# The program shapes the window and makes it layered just after showing it: wait for that.
has_property() { xprop -id "$win" "$1" | grep -q "$2"; }
has_shape() { xwininfo -shape -id "$win" | grep -q 'Window shape extents: *169x173+0+0'; }
wait_until 5 has_property _NET_FRAME_EXTENTS '= 0, 0, 0, 0' ||
  fail "the window has a frame: $(xprop -id "$win" _NET_FRAME_EXTENTS)"
wait_until 5 has_shape ||
  fail "the window has no elliptical shape: $(xwininfo -shape -id "$win" | grep -i shape)"
wait_until 5 has_property _NET_WM_WINDOW_OPACITY '= 2155905152$' ||
  fail "the window is not half transparent: $(xprop -id "$win" _NET_WM_WINDOW_OPACITY)"
wait_until 5 has_property _NET_WM_STATE _NET_WM_STATE_ABOVE ||
  fail "the window is not always on top: $(xprop -id "$win" _NET_WM_STATE)"
wait_until 5 has_property _NET_WM_ICON 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"

face="$shots/wine-face.png"
face_drawn() {
  screenshot "$face"
  is_colour green "$(pixel "$face" $((left + 83)) $((top + 8)))"
}
wait_until 10 face_drawn || fail "the face was not drawn ($face)"
step "checking the face ($face)"
for corner in "2 2" "167 2" "2 171" "167 171"; do
  # shellcheck disable=SC2086
  expect_pixel "$face" "$left" "$top" $corner desktop "outside the ellipse"
done
expect_pixel "$face" "$left" "$top" 57 60 black "the face"
expect_pixel "$face" "$left" "$top" 111 114 black "the face"
expect_pixel "$face" "$left" "$top" 83 8 green "the tick at 12"
expect_pixel "$face" "$left" "$top" 160 86 green "the tick at 3"
expect_pixel "$face" "$left" "$top" 6 86 green "the tick at 9"
expect_pixel "$face" "$left" "$top" 69 102 yellowish "the glow of the ball around the ●"
expect_pixel "$face" "$left" "$top" 84 87 black "the ● over the ball's centre"
expect_pixel "$face" "$left" "$top" 115 87 green "the hour hand at 3"
expect_pixel "$face" "$left" "$top" 83 50 green "the minute hand at 12"
reds=$(red_pixels "$face" "$left" "$top" 170 174)
((reds > 20)) || fail "no second hand: $reds red pixels"
(($(red_pixels "$face" $((left + 118)) $((top + 80)) 48 18) == 0)) ||
  fail "red where only a countdown prints its minutes"

# A left drag from (40,130) to (140,180) moves the window by (100,50); the release lies outside
# the window, so it arrives only through the capture.
step "dragging the window"
xdotool mousemove $((left + 40)) $((top + 130)) mousedown 1 \
  mousemove $((left + 140)) $((top + 180)) mouseup 1
moved_to() { [[ "$(geometry "$win" | cut -d' ' -f1,2)" == "$1 $2" ]]; }
wait_until 5 moved_to 100 50 || fail "the drag left the window at $(geometry "$win")"
left=100 top=50

# The popup menu: a right press opens it at the pointer with its nine items.
open_menu() {
  xdotool mousemove $((left + 40)) $((top + 130)) mousedown 3
  menu=$(timeout 30 xdotool search --sync --onlyvisible --maxdepth 1 --classname vestrel.exe |
    head -n1) || true
  [[ -n "$menu" ]] || fail "no popup menu appeared"
  xdotool mouseup 3
  read -r menu_left menu_top menu_width menu_height < <(geometry "$menu")
  [[ "$menu_left,$menu_top" == "$((left + 40)),$((top + 130))" ]] ||
    fail "the menu is at $menu_left,$menu_top, not at the pointer"
  ((menu_width >= 80 && menu_width <= 320 && menu_height >= 110 && menu_height <= 320)) ||
    fail "the menu is $menu_width x $menu_height: not nine items"
}
# Clicks the menu's first (y from its top) or last (y from its bottom, negative) item.
click_menu_item() {
  local y=$1
  ((y >= 0)) || y=$((menu_height + y))
  xdotool mousemove $((menu_left + 30)) $((menu_top + y)) click 1
}

step "opening the popup menu"
open_menu
menu_shot="$shots/wine-menu.png"
screenshot "$menu_shot"
# The menu's ground is light and its captions dark.
menu_text=$(convert "$menu_shot" -crop "$((menu_width - 40))x$((menu_height - 8))+$((menu_left + 30))+$((menu_top + 4))" \
  +repage -colorspace gray -fx 'u<0.3 ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
((menu_text > 200)) || fail "the menu shows no captions ($menu_text dark pixels, $menu_shot)"

step "choosing 終了"
click_menu_item 11
expect_exit_zero
expect_ini '"0","",1500,750,""'

# --- Second run, again near 03:00:40: the settings put the window back where it was. A 3
# minute countdown from the menu prints its minutes on the face; the version box from the menu;
# a click on the ● makes the window opaque; Alt+F4 closes the window.
step "second run"
start_clock env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@2024-03-01 03:00:40'
win=$(find_clock_window) || true
[[ -n "$win" ]] || fail "the clock window did not appear on the second run"
wait_until 5 moved_to 100 50 || fail "the saved position was not restored: $(geometry "$win")"

step "starting a countdown"
open_menu
xdotool key Down Down Return  # the first item, then past the separator to 3分ﾀｲﾏｰ
countdown="$shots/wine-countdown.png"
# "A 3" in red right of the centre, over the hour hand; the second hand is on the left.
minutes_printed() {
  screenshot "$countdown"
  (($(red_pixels "$countdown" $((left + 118)) $((top + 80)) 48 18) > 15))
}
wait_until 5 minutes_printed || fail "the countdown's minutes were not printed ($countdown)"

step "showing the version box"
open_menu
click_menu_item -11
box=$(timeout 30 xdotool search --sync --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' | head -n1) || true
[[ -n "$box" ]] || fail "the version box did not appear"
version_shot="$shots/wine-version.png"
screenshot "$version_shot"
# The box may be gone before the key's release arrives, which xdotool reports as an error.
xdotool key --window "$box" Return 2>/dev/null || true
box_gone() { ! xwininfo -id "$box" 2>/dev/null | grep -q IsViewable; }
wait_until 5 box_gone || fail "the version box did not close"

step "clicking the ●"
xdotool mousemove $((left + 84)) $((top + 87)) click 1
opaque() { has_property _NET_WM_WINDOW_OPACITY 'not found'; }  # no opacity: fully opaque
wait_until 5 opaque || fail "a click on the ● did not make the window opaque"

step "closing with Alt+F4"
xdotool key --window "$win" alt+F4 2>/dev/null || true  # as with the box above
expect_exit_zero
expect_ini '"0","1",1500,750,""'

step "passed; screenshots in $shots"
