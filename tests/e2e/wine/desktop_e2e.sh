#!/usr/bin/env bash
# Vestrel.exe under wine: Shift+F10 and the Menu key open the menu at the window's centre, the
# right button over its items chooses nothing, Alt+F4 closes; at 192 dpi the clock is drawn as
# at 96 dpi; the countdown's minutes on the small face sit where the Linux program puts them.
set -euo pipefail

exe=${1:?usage: desktop_e2e.sh path/to/Vestrel.exe [path/to/vestrel] [screenshot folder]}
linux_program=${2:-}
e2e_name=wine_desktop_e2e
shots=${3:-$(dirname "$0")/../../../build/linux/e2e/wine-desktop}
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
wine_session Vestrel

# For a quarter of a minute from 08:20:40 no hand passes the countdown's minutes.
faked=(env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@2024-03-01 08:20:40')
focus_clock() { xdotool mousemove $(at 30 60) click 1; }
close_with_alt_f4() {
  focus_clock
  xdotool key alt+F4
  await_exit 0
}

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
# ($box) is that of "A3" in the 12-pixel Gothic, clear of the "3" numeral.
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
  step "$1: the minutes' box is $box"
  local w h x y
  IFS='x+' read -r w h x y <<<"$box"
  ((x >= 73 && x <= 75 && y >= 49 && y <= 53 && w >= 9 && w <= 13 && h >= 7 && h <= 10)) ||
    fail "$1: the minutes' box $box is not that of A3 at (74, 49) in the 12-pixel font"
  ((x + w <= 86)) || fail "$1: the minutes ($box) run into the 3 numeral"
}

printf '"1","1",0,0,""\r\n' >"$app_dir/Vestrel.ini"  # small and opaque, at the top left
start_clock "${faked[@]}"
small_countdown "Windows build" wine-small-countdown menu_open
windows_box=$box
close_with_alt_f4

step "Shift+F10 and the Menu key open the menu at the window's centre"
start_clock "${faked[@]}"
focus_clock
xdotool mousemove 1000 700 key shift+F10
expect_menu_at $((left + 54)) $((top + 55)) "Shift+F10"
shot wine-keyboard-menu
close_menu
running || fail "the clock ended"
xdotool key Menu
expect_menu_at $((left + 54)) $((top + 55)) "the Menu key"
xdotool key Down Down Down Down Down Return  # 大きく, the fifth item
wait_until 5 has_size 170 174 || fail "大きく from the keyboard did not make the clock large"
locate

step "the right button over the menu's items chooses nothing"
right_button_chooses_nothing wine-right-button

step "Alt+F4 closes the clock"
close_with_alt_f4

step "on a 192 dpi screen the clock is drawn as at 96 dpi"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wineserver -w
rm -f "$app_dir/Vestrel.ini"
start_clock "${faked[@]}"
has_size 170 174 || fail "at 192 dpi the window is $(geometry "$win")"
wait_until 5 is green $(at 85 6) || fail "no tick at 12 at 192 dpi"
is black $(at 85 88) || fail "no ● over the centre at 192 dpi"
shot wine-192-dpi
close_with_alt_f4

if [[ -n $linux_program ]]; then
  cp "$linux_program" "$work/vestrel"
  printf '"1","1",0,0,""\r\n' >"$work/Vestrel.ini"  # small and opaque, at the top left
  # In an English locale, where Qt's default font is not a Japanese one.
  env LANG=C.UTF-8 LC_ALL=C.UTF-8 "${faked[@]}" "$work/vestrel" >"$work/linux.log" 2>&1 &
  clock=$!
  await_window '^vestrel$' "$work/linux.log"
  small_countdown "Linux build" linux-small-countdown true
  linux_box=$box
  IFS='x+' read -r ww wh wx wy <<<"$windows_box"
  IFS='x+' read -r lw lh lx ly <<<"$linux_box"
  for d in $((ww - lw)) $((wh - lh)) $((wx - lx)) $((wy - ly)); do
    ((d >= -1 && d <= 1)) ||
      fail "the builds print the minutes differently: Windows $windows_box, Linux $linux_box"
  done
  kill "$clock"
  await_exit
fi

step "passed; screenshots in $shots"
