#!/usr/bin/env bash
# Vestrel.exe under wine as a keyboard user and a careless right hand use it: Shift+F10 and
# the Menu key open the popup menu at the window's centre, a right-button press or release
# over the menu's items chooses nothing, and Alt+F4 closes the clock; on a 192 dpi screen the
# clock is drawn as at 96 dpi. Then the countdown's minutes on the small face: the box of their
# red text in the Windows build, and, given the Linux program too, the same box in the Linux
# build on the same display.
#
#   desktop_e2e.sh path/to/Vestrel.exe [path/to/vestrel] [screenshot folder]
set -euo pipefail

exe=${1:?usage: desktop_e2e.sh path/to/Vestrel.exe [path/to/vestrel] [screenshot folder]}
linux_program=${2:-}
e2e_name=wine_desktop_e2e
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
shots=${3:-$repo/build/linux/e2e/wine-desktop}

mkdir -p "$shots"
wine_session Vestrel

# From 08:20:40 for the next quarter of a minute no hand passes the countdown's minutes right
# of the centre.
faked=(env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@2024-03-01 08:20:40')
# The clock window gets the keyboard as a click on the face gives it.
focus_clock() { xdotool mousemove $(at 30 60) click 1; }
close_with_alt_f4() {
  focus_clock
  xdotool key alt+F4
  await_exit 0
}

# The box "WxH+X+Y" (window-relative) of the countdown's red text in a screenshot, looked for
# in the small face's right half around its place (74, 49).
minutes_box() {
  local picture=$1 x0=$(($2 + 62)) y0=$(($3 + 40))
  local box
  box=$(convert "$picture" -crop "36x26+$x0+$y0" +repage \
    -fx '(r > 0.4 && g < r / 4 && b < r / 4) ? 1 : 0' -format '%@' info: 2>/dev/null)
  local w h x y
  IFS='x+' read -r w h x y <<<"$box"
  echo "${w}x${h}+$((x + 62))+$((y + 40))"
}

# minutes_shown <screenshot>: waits for the countdown's minutes on the face, then takes the
# screenshot once they are fully drawn.
minutes_visible() { import -window root "$1" && [[ $(minutes_box "$1" "$left" "$top") != 0x0* ]]; }
minutes_shown() {
  wait_until 5 minutes_visible "$1" || fail "no minutes on the small face ($1)"
  sleep 0.3
  import -window root "$1"
}

step "the countdown's minutes on the small face (Windows build)"
printf '"1","1",0,0,""\r\n' >"$app_dir/Vestrel.ini"  # small and opaque, at the top left
start_clock "${faked[@]}"
[[ "$width x $height" == "108 x 110" ]] || fail "window is $width x $height, not the small one"
xdotool mousemove $(at 20 60) mousedown 3
wait_until 5 menu_open || fail "no popup menu"
xdotool mouseup 3 key Down Down Return  # 3分ﾀｲﾏｰ
minutes_shown "$shots/wine-small-countdown.png"
windows_box=$(minutes_box "$shots/wine-small-countdown.png" "$left" "$top")
step "Windows build: the minutes' box is $windows_box"

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
large() { [[ "$(geometry "$win" | cut -d' ' -f3,4)" == "170 174" ]]; }
wait_until 5 large || fail "大きく from the keyboard did not make the clock large: $(geometry "$win")"
read -r left top width height < <(geometry "$win")

step "the right button over the menu's items chooses nothing"
right_button_chooses_nothing wine-right-button

step "Alt+F4 closes the clock"
close_with_alt_f4

step "on a 192 dpi screen the clock is drawn as at 96 dpi"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wineserver -w
rm -f "$app_dir/Vestrel.ini"
start_clock "${faked[@]}"
[[ "$width x $height" == "170 x 174" ]] || fail "at 192 dpi the window is $width x $height"
wait_until 5 is green $(at 85 6) || fail "no tick at 12 at 192 dpi"
is black $(at 85 88) || fail "no ● over the centre at 192 dpi"
shot wine-192-dpi
close_with_alt_f4

# Both builds: "A3" in the 12-pixel Gothic, right of the centre and clear of the "3" numeral.
check_box() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$1"
  ((x >= 73 && x <= 75 && y >= 49 && y <= 53 && w >= 9 && w <= 13 && h >= 7 && h <= 10)) ||
    fail "$2: the minutes' box $1 is not that of A3 at (74, 49) in the 12-pixel font"
  ((x + w <= 86)) || fail "$2: the minutes ($1) run into the 3 numeral"
}
check_box "$windows_box" "Windows build"

if [[ -n $linux_program ]]; then
  step "the countdown's minutes on the small face (Linux build)"
  cp "$linux_program" "$work/vestrel"
  printf '"1","1",0,0,""\r\n' >"$work/Vestrel.ini"  # small and opaque, at the top left
  # In an English locale, where Qt's default font is not a Japanese one.
  env LANG=C.UTF-8 LC_ALL=C.UTF-8 "${faked[@]}" "$work/vestrel" >"$work/linux.log" 2>&1 &
  clock=$!
  win=$(timeout 30 xdotool search --sync --limit 1 --classname '^vestrel$') ||
    fail "no window of the Linux program: $(tail -n 5 "$work/linux.log")"
  wait_until 5 eval "xwininfo -id $win | grep -q IsViewable" || fail "the Linux window was not shown"
  read -r left top width height < <(geometry "$win")
  [[ "$width x $height" == "108 x 110" ]] || fail "the Linux window is $width x $height"
  xdotool mousemove $(at 20 60) mousedown 3 mouseup 3
  sleep 0.5
  xdotool key Down Down Return
  minutes_shown "$shots/linux-small-countdown.png"
  linux_box=$(minutes_box "$shots/linux-small-countdown.png" "$left" "$top")
  step "Linux build: the minutes' box is $linux_box"
  check_box "$linux_box" "Linux build"
  IFS='x+' read -r ww wh wx wy <<<"$windows_box"
  IFS='x+' read -r lw lh lx ly <<<"$linux_box"
  for d in $((ww - lw)) $((wh - lh)) $((wx - lx)) $((wy - ly)); do
    ((d >= -1 && d <= 1)) ||
      fail "the builds print the minutes differently: Windows $windows_box, Linux $linux_box"
  done
  kill "$clock"
  wait "$clock" 2>/dev/null || true
  clock=""
fi

step "passed; screenshots in $shots"
