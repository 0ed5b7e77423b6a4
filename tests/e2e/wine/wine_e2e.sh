#!/usr/bin/env bash
# Vestrel.exe under wine in a fresh prefix, from a folder with a Japanese name: the countdown
# on the small face where the Linux program puts it, the popup menu from the keyboard and the
# mouse, the right button over it, the window and its face, dragging, the version box, the "●",
# an exit that releases every handle; the settings file with a window manager's move, the end
# of the session, a FIFO and an installed copy; the clock at 192 dpi.
set -euo pipefail

exe=${1:?usage: wine_e2e.sh path/to/Vestrel.exe [path/to/vestrel] [screenshot folder]}
linux_program=${2:-}
e2e_name=wine_e2e
shots=${3:-$(dirname "$0")/../../../build/linux/e2e}
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
exe=$(realpath "$exe")
chmod 755 "$work"  # an ordinary user runs the installed copy
cleanup_more() {
  if [[ -d "$work/user-prefix" ]]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
      env HOME="$work/home" WINEPREFIX="$work/user-prefix" wineserver -k 2>/dev/null || true
  fi
}
wine_session 時計テスト
ini="$app_dir/Vestrel.ini"

# start_at <hh:mm:ss> [command prefix...]: the clock at that time of 2024-03-01, with the
# host's report of the handles it held at exit in its output.
start_at() {
  start_clock env WINEDEBUG=-all,warn+seh NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f "@2024-03-01 $1" "${@:2}"
}
expect_exit_zero() {
  await_exit 0
  grep -aq "handles held at exit: GDI 0, USER 0" "$work/run.log" ||
    fail "the host did not release all its GDI and USER objects: $(grep -a 'handles held' "$work/run.log")"
}
dark() { (($1 + $2 + $3 < 230)); }
minutes_red() { count_in red $(at 118 80) 48 18; }

# minutes_box <screenshot>: the box "WxH+X+Y" (window-relative) of the countdown's red text,
# looked for around its place (74, 49) on the small face.
minutes_box() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$(convert "$1" -crop "36x26+$((left + 62))+$((top + 40))" +repage \
    -fx '(r > 0.4 && g < r / 4 && b < r / 4) ? 1 : 0' -format '%@' info: 2>/dev/null)"
  echo "${w}x${h}+$((x + 62))+$((y + 40))"
}
minutes_visible() { shot "$1" && [[ $(minutes_box "$shots/$1.png") != 0x0* ]]; }
# small_countdown <build> <shot> <menu ready>: 3分ﾀｲﾏｰ on the small clock; its minutes' box
# ($box) is that of "A3" in the 12-pixel Gothic, clear of the "3" numeral. For a quarter of a
# minute from 08:20:40 no hand passes it.
small_countdown() {
  step "the countdown's minutes on the small face ($1)"
  has_size 108 110 || fail "$1: the window is $(geometry "$win"), not the small one"
  xdotool mousemove $(at 20 60) mousedown 3
  wait_until 5 "$3" || fail "no popup menu"
  sleep 0.5
  xdotool mouseup 3 key Down Down Return
  wait_until 5 minutes_visible "$2" || fail "no minutes on the small face ($2.png)"
  sleep 0.3  # until they are fully drawn
  shot "$2"
  box=$(minutes_box "$shots/$2.png")
  local w h x y
  IFS='x+' read -r w h x y <<<"$box"
  ((x >= 73 && x <= 75 && y >= 49 && y <= 53 && w >= 9 && w <= 13 && h >= 7 && h <= 10)) ||
    fail "$1: the minutes' box $box is not that of A3 at (74, 49) in the 12-pixel font"
  ((x + w <= 86)) || fail "$1: the minutes ($box) run into the 3 numeral"
}

printf '"1","1",0,0,""\r\n' >"$ini"  # small and opaque, at the top left
start_at 08:20:40
small_countdown "Windows build" wine-small-countdown menu_open
windows_box=$box

step "Shift+F10 and the Menu key open the menu at the window's centre; 大きく from it"
keyboard_menu shift+F10
shot wine-keyboard-menu
close_menu
running || fail "the clock ended"
keyboard_menu Menu
xdotool key Down Down Down Down Down Return  # 大きく, the fifth item
wait_until 5 has_size 170 174 || fail "大きく from the keyboard did not make the clock large"
locate

step "the right button over the menu's items chooses nothing"
right_button_chooses_nothing wine-right-button
close_clock

step "without settings: at the top left, with every property, shaped and translucent when it first shows"
rm "$ini"
start_at 03:00:40 $(x_trace wine-face)
[[ "$left,$top" == "0,0" ]] || fail "window is at $left,$top, expected 0,0 without settings"
expect_clock_window 169x173 83 8
shown_when_shaped wine-face ||
  fail "the window showed before its shape and transparency (wine-face.trace)"
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

step "3分ﾀｲﾏｰ prints the minutes left; the version box"
choose Down Down  # past the separator
minutes_printed() { (($(minutes_red) > 15)); }
wait_until 5 minutes_printed || fail "the countdown's minutes were not printed"
shot wine-countdown
version_box wine-version

step "a click on the ● makes the window opaque"
xdotool mousemove $(at 84 87) click 1
opaque() { xprop -id "$win" _NET_WM_WINDOW_OPACITY | grep -q 'not found'; }
wait_until 5 opaque || fail "a click on the ● did not make the window opaque"

step "the popup menu's captions; 終了 ends the clock and saves the settings"
open_menu
shot wine-menu
menu_text=$(count_in dark $((menu_left + 30)) $((menu_top + 4)) $((menu_width - 40)) \
  $((menu_height - 8)))
((menu_text > 200)) || fail "the menu shows no captions ($menu_text dark pixels, wine-menu.png)"
xdotool mousemove $(menu_item 11) click 1  # 終了
expect_exit_zero
expect_file "$ini" '"0","1",1500,750,""'

step "a window manager's move is what the end of the session saves"
moved_from "$ini" '"0","",3000,1500,""' 200 100 400 300
wine wineboot --end-session >/dev/null 2>&1 || true
await_exit
expect_file "$ini" '"0","",6000,4500,""'
[[ ! -e "$ini.tmp" ]] || fail "a temporary file was left"

step "a FIFO named Vestrel.ini hangs neither the start nor the exit"
fifo_refused "$ini"

step "an installed copy keeps its settings in %APPDATA%\\Vestrel"
# wine runs only in a prefix its user owns; the program's folder is root's.
install -d -m 755 -o nobody "$work/home" "$work/user-prefix"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env HOME="$work/home" WINEPREFIX="$work/user-prefix")
make_prefix "${as_user[@]}"
installed="$work/user-prefix/drive_c/Program Files/Vestrel"
install -d -m 755 -o root "$installed"
install -m 755 -o root "$exe" "$installed/Vestrel.exe"
clock_exe="$installed/Vestrel.exe" start_clock "${as_user[@]}"
move_to 120 80
close_clock
[[ ! -e "$installed/Vestrel.ini" ]] || fail "written into the program's folder"
user_ini=$(find "$work/user-prefix/drive_c/users" -path '*/Vestrel/Vestrel.ini' | head -n1)
[[ "$user_ini" == *"/AppData/Roaming/Vestrel/Vestrel.ini" ]] || fail "written to '$user_ini'"
expect_file "$user_ini" '"0","",1800,1200,""'
clock_exe="$installed/Vestrel.exe" start_clock "${as_user[@]}"
wait_until 10 at_position 120 80 || fail "the user's settings were not read back: $(geometry "$win")"
close_clock

step "on a 192 dpi screen the clock is drawn as at 96 dpi"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wineserver -w
rm -f "$ini"
start_at 08:20:40
has_size 170 174 || fail "at 192 dpi the window is $(geometry "$win")"
wait_until 5 is green $(at 85 6) || fail "no tick at 12 at 192 dpi"
is black $(at 85 88) || fail "no ● over the centre at 192 dpi"
shot wine-192-dpi
close_clock

if [[ -n $linux_program ]]; then
  cp "$linux_program" "$work/vestrel"
  printf '"1","1",0,0,""\r\n' >"$work/Vestrel.ini"  # small and opaque, at the top left
  # In an English locale, where Qt's default font is not a Japanese one.
  env LANG=C.UTF-8 LC_ALL=C.UTF-8 NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f '@2024-03-01 08:20:40' "$work/vestrel" >"$work/linux.log" 2>&1 &
  clock=$!
  await_window '^vestrel$' "$work/linux.log"
  small_countdown "Linux build" linux-small-countdown true
  IFS='x+' read -r ww wh wx wy <<<"$windows_box"
  IFS='x+' read -r lw lh lx ly <<<"$box"
  for d in $((ww - lw)) $((wh - lh)) $((wx - lx)) $((wy - ly)); do
    ((d >= -1 && d <= 1)) ||
      fail "the builds print the minutes differently: Windows $windows_box, Linux $box"
  done
  kill "$clock"
  await_exit
fi

step "passed; screenshots in $shots"
