#!/usr/bin/env bash
# The Linux program on a scaled screen (QT_SCALE_FACTOR 2 or Xft.dpi 192, and 1.5): the 2x
# window is the 1x one enlarged pixel for pixel outside the "●", which is drawn at 2x; the
# shape scales, drags follow the pointer and the menu opens at it.
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

# Two runs draw the same hands; Qt's timers keep the real monotonic clock.
frozen=(env FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '2026-01-01 10:10:30')
# Where the "●" lies on the large face at 1x.
label_box=(60 64 48 48)

# window_picture <x y of the tick at 12> <name>: the window's pixels in $shots/<name>.png.
window_picture() {
  wait_until 5 is green $(at "$1" "$2") || fail "no face ($3)"
  sleep 0.3
  import -window root -crop "${width}x$height+$left+$top" +repage "$shots/$3.png"
}
next_run() {
  close_clock
  rm -f "$work/Vestrel.ini"  # every run starts from the same place
}
# scaled_window <width> <height> <what>: the window and its shape have that size (patterns).
scaled_window() {
  [[ $width =~ ^$1$ && $height =~ ^$2$ ]] || fail "$3: the window is $width x $height"
  wait_until 5 has_shape "$1x$2" || fail "$3: the shape is not $1 x $2: $(xwininfo -shape -id "$win")"
}

e2e_begin

start_clock "${frozen[@]}"
window_picture 85 6 hidpi-1x
next_run

step "2x: the window, its shape and the picture"
start_clock "${frozen[@]}" env QT_SCALE_FACTOR=2
scaled_window 340 348 2x
window_picture 170 12 hidpi-2x
shot hidpi-2x-screen

# Outside the label's box; this also compares the ellipse's edge.
read -r lx ly lw lh <<<"${label_box[*]}"
cover="fill black rectangle $((2 * lx)),$((2 * ly)) $((2 * (lx + lw) - 1)),$((2 * (ly + lh) - 1))"
convert "$shots/hidpi-1x.png" -sample 200% -draw "$cover" "$work/expected.png"
convert "$shots/hidpi-2x.png" -draw "$cover" "$work/shown.png"
[[ $(differing "$work/expected.png" "$work/shown.png") == 0 ]] ||
  fail "the 2x window is not the 1x window enlarged (hidpi-1x.png, hidpi-2x.png)"

step "2x: the ● over the ball's centre, drawn at the screen's resolution"
black_in() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx '(r<0.1 && g<0.1 && b<0.1) ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}
dot_1x=$(black_in "$shots/hidpi-1x.png" "${label_box[@]}")
dot_2x=$(black_in "$shots/hidpi-2x.png" $((2 * lx)) $((2 * ly)) $((2 * lw)) $((2 * lh)))
# A black disc four times the area at 2x, give or take its antialiased rim.
((dot_1x > 100)) || fail "no ● at 1x ($dot_1x black pixels)"
((dot_2x * 10 > dot_1x * 4 * 8 && dot_2x * 10 < dot_1x * 4 * 12)) ||
  fail "the ● at 2x covers $dot_2x pixels, not about four times the $dot_1x at 1x"
is black $(at 170 176) || fail "the ● is not over the centre at 2x"
convert "$shots/hidpi-1x.png" -crop "${lw}x${lh}+${lx}+${ly}" +repage -sample 200% \
  "$work/dot-enlarged.png"
convert "$shots/hidpi-2x.png" -crop "$((2 * lw))x$((2 * lh))+$((2 * lx))+$((2 * ly))" +repage \
  "$work/dot-shown.png"
(($(differing "$work/dot-enlarged.png" "$work/dot-shown.png") > 0)) || fail "the ● at 2x is the 1x glyph enlarged, not drawn at 2x"

step "2x: a drag moves the window by the pointer's distance, a right press opens the menu there"
drag 80 260 20 10
open_menu 80 240
read -r menu_x menu_y < <(menu_corner)
((menu_x >= left + 79 && menu_x <= left + 81 && menu_y >= top + 239 && menu_y <= top + 241)) ||
  fail "the menu opened at $menu_x,$menu_y, not at the pointer $(at 80 240)"
shot hidpi-2x-menu
close_menu
next_run

step "Xft.dpi 192 scales by 2 the same way"
printf 'Xft.dpi: 192\n' | xrdb -merge
start_clock "${frozen[@]}"
scaled_window 340 348 "Xft.dpi 192"
window_picture 170 12 hidpi-xft-192
[[ $(differing "$shots/hidpi-2x.png" "$shots/hidpi-xft-192.png") == 0 ]] ||
  fail "the picture differs from the 2x one (hidpi-xft-192.png)"
next_run
xrdb -remove

step "1.5x: the window, its shape and the face"
start_clock "${frozen[@]}" env QT_SCALE_FACTOR=1.5
# 255 x 261, less the pixel Qt may lose when it rounds the window's position and far edge.
scaled_window '25[45]' '26[01]' 1.5x
window_picture 126 12 hidpi-1.5x
is desktop $(at 2 2) || fail "the corner at 1.5x is not the desktop"
is black $(at 126 131) || fail "no ● over the centre at 1.5x"
next_run

echo "PASS (screenshots in $shots)"
