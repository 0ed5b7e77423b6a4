#!/usr/bin/env bash
# The Linux program as a user sees it, in a GNOME Wayland session (headless Weston) where it opens
# its X11 window with every property, at a pinned time and with only DejaVu Sans and one Japanese
# font: the face and a change of time zone, the threads it costs (no GTK theme), the ●, dragging,
# the popup menu from the mouse and the keyboard with its captions, always on top, the version box,
# the size and the exit; then restarted by a session manager, with no font at all, with a session
# bus, accessibility and an input method, and without X. (The countdown's minutes are compared
# with the Windows program's by tests/e2e/wine.)
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

latin_font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
japanese_font=/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf
ls "$latin_font" "$japanese_font" >/dev/null || fail "fonts missing (see scripts/deps.sh)"

# hand <angle> <radius> [offset]: the face's point that far from its centre in that direction
# (degrees clockwise from 12), moved by the offset on both axes.
hand() { awk -v a="$1" -v r="$2" -v o="${3:-0}" 'BEGIN { t = a * atan2(0, -1) / 180;
  printf "%d %d", 85 + r * sin(t) + 0.5 + o, 87 - r * cos(t) + 0.5 + o }'; }
toggle_dot() {
  xdotool mousemove $(at 84 88) click 1
  wait_until 3 has_opacity "$opacity_full" || fail "the ● did not make the window opaque"
  xdotool click 1
  wait_until 3 has_opacity "$opacity_half" || fail "the ● did not fade the window back"
}
no_taskbar_entry() {
  has_state SKIP_TASKBAR && has_state SKIP_PAGER || fail "a taskbar entry $1: $(window_state)"
}
# The program's own process, which faketime may have started as its child.
pid() { xprop -id "$win" _NET_WM_PID | awk '{ print $3 }'; }
thread_names() { cat /proc/"$(pid)"/task/*/comm; }
two_threads() { (($(thread_names | wc -l) <= 2)) || fail "threads $1: $(thread_names | tr '\n' ' ')"; }
input_method_loaded() { grep -q platforminputcontexts /proc/"$(pid)"/maps; }

# font_config <name> <font files...>: $work/<name>/fonts.conf, with only these fonts.
font_config() {
  local folder="$work/$1"
  mkdir -p "$folder/fonts" "$folder/cache"
  shift
  (($# == 0)) || ln -s "$@" "$folder/fonts/"
  printf '<?xml version="1.0"?>\n<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
    "$folder/fonts" "$folder/cache" >"$folder/fonts.conf"
}
# caption_rows <name>: the open menu in <name>.png, its captions' rows of ink (right of the
# check marks) in $work/<name>-row-N.png, N from 1, their number in $rows; the ink left of
# each row, where its check mark would be, in ${marks[N]}.
caption_rows() {
  sleep 0.3
  shot "$1"
  local mx my mw mh profile start=-1 y value
  read -r mx my mw mh < <(menu_geometry)
  convert "$shots/$1.png" -crop "$((mw - 34))x$((mh - 4))+$((mx + 28))+$((my + 2))" +repage \
    -colorspace gray -threshold 50% -negate "$work/$1-ink.png"
  profile=$(convert "$work/$1-ink.png" -scale "1x$((mh - 4))!" -depth 16 txt:- |
    sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p')
  rows=0
  marks=()
  while read -r y value; do
    if ((value > 0 && start < 0)); then
      start=$y
    elif ((value == 0 && start >= 0)); then
      rows=$((rows + 1))
      convert "$work/$1-ink.png" -crop "$((mw - 34))x$((y - start))+0+$start" +repage \
        "$work/$1-row-$rows.png"
      marks[rows]=$(convert "$shots/$1.png" -crop "20x$((y - start))+$((mx + 6))+$((my + 2 + start))" \
        +repage -colorspace gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:)
      start=-1
    fi
  done <<<"$profile"
}
same_rows() { [[ $(differing "$work/$1-row-$2.png" "$work/$1-row-$3.png") == 0 ]]; }

e2e_begin
rm -f "$shots"/*.png
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=vestrel-wayland --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $weston_pid ${bus_pid:-} 2>/dev/null || true; wait $weston_pid 2>/dev/null || true
  cleanup' EXIT
wait_until 10 test -S "$XDG_RUNTIME_DIR/vestrel-wayland" || fail "Weston did not start"
# As GNOME's session says it: on such a desktop Qt picks the GTK platform theme by itself.
wayland=(env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=vestrel-wayland XDG_SESSION_TYPE=wayland
  XDG_CURRENT_DESKTOP=GNOME)

step "the session really draws Qt programs on Wayland when they ask for it"
"${wayland[@]}" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$work/vestrel" >"$work/wayland.log" 2>&1 &
clock=$!
wait_until 5 grep -q 'get_toplevel' "$work/wayland.log" ||
  fail "the program did not reach Weston: $(cat "$work/wayland.log")"
[[ -z $(xdotool search --classname vestrel 2>/dev/null) ]] ||
  fail "a window on X although the platform was wayland"
kill "$clock"
await_exit

step "in the Wayland session: the X11 window at 10:10, shaped and translucent when it first shows, a tool window without a taskbar entry"
font_config fonts "$latin_font" "$japanese_font"
# The system's time zone, UTC, is $work/localtime in the clock's own view of /etc/localtime,
# so that a later step can switch it (where a mount namespace can be made: it needs root).
cp /usr/share/zoneinfo/UTC "$work/localtime"
own_zone=(unshare --mount --propagation private
  sh -c 'mount --bind "$0" /etc/localtime && exec "$@"' "$work/localtime")
"${own_zone[@]}" true 2>/dev/null || own_zone=()
start_clock "${own_zone[@]}" env -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON \
  -u TZ "${wayland[@]}" FONTCONFIG_FILE="$work/fonts/fonts.conf" faketime '2026-01-01 10:10:30' \
  $(x_trace face)
expect_clock_window 170x174 85 6
shown_when_shaped face || fail "the window showed before its shape and transparency (face.trace)"
grep -q 'opacity' "$work/output.log" && fail "Qt refused the opacity: $(cat "$work/output.log")"
xprop -id "$win" WM_NAME | grep -q '"Vestrel"' || fail "title is not Vestrel"
no_taskbar_entry
xprop -id "$win" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY ||
  fail "not a tool window: $(xprop -id "$win" _NET_WM_WINDOW_TYPE)"
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

if ((${#own_zone[@]})); then
  step "the system switches to Tokyo's time zone: the hands show 19:10 at the next second"
  hour_at_7() { near_in green $(at $(hand 215 30 -1)) 3 3; }
  hour_at_7 && fail "the hour hand already points at 7"
  cp /usr/share/zoneinfo/Asia/Tokyo "$work/localtime"
  wait_until 3 hour_at_7 || fail "the hour hand does not follow the new time zone to 7"
  near_in green $(at $(hand 305 30 -1)) 3 3 && fail "the hour hand still points at 10"
  shot tokyo
else
  step "SKIPPED: a change of time zone (no mount namespace without root)"
fi

step "without a session bus: two threads (its own, Qt's X reader), no helper, no input method, no GTK"
two_threads "without a session bus"
[[ -z $(pgrep -P "$(pid)") ]] || fail "the clock started processes: $(pgrep -P "$(pid)")"
input_method_loaded && fail "an input method plugin was loaded"
grep -q libgtk-3 /proc/"$(pid)"/maps && fail "the desktop's GTK platform theme was loaded"

step "the ● switches to opaque and fades back to half; dragging the face moves the window"
toggle_dot
drag 40 130 10 5

step "a right press opens the popup menu, its eight captions in real glyphs"
open_menu
caption_rows menu
((rows == 8)) || fail "$rows rows of captions instead of 8 (menu.png)"
# Their first characters tell these pairs apart; boxes would not.
same_rows menu 5 6 && fail "大きく and 小さく look the same (menu.png)"
same_rows menu 2 3 && fail "3分ﾀｲﾏｰ and 4分ﾀｲﾏｰ look the same"
checked=$(for row in "${!marks[@]}"; do ((marks[row] < 10)) || echo -n "$row "; done)
[[ $checked == "5 7 " ]] || fail "check marks by rows $checked, not by 大きく and 最前面表示 alone"
for row in 1 2 3 4 5 6 7 8; do
  ink=$(convert "$work/menu-row-$row.png" -format '%[fx:round(mean*w*h)]' info:)
  ((ink > 20)) || fail "caption row $row has only $ink pixels of ink"
done
close_menu
# None of the menu's light pixels stay on the face.
light() { (($1 > 160 && $2 > 160 && $3 > 160)); }
redrawn() { ! near_in light $(at 60 130) 60 30; }
wait_until 2 redrawn || fail "the face is not drawn again where the menu was"

step "Shift+F10 opens the menu at the centre: 最前面表示 switches always on top off"
keyboard_menu shift+F10
xdotool key Down Down Down Down Down Down Down Return  # the eighth item
wait_until 3 not_on_top || fail "still always on top"
has_shape 170x174 || fail "the shape was lost"
has_opacity "$opacity_half" || fail "the transparency was lost"
no_taskbar_entry "with always on top off"
step "the Menu key opens the same menu: 最前面表示 switches it on again"
keyboard_menu Menu
xdotool key Down Down Down Down Down Down Down Return
wait_until 3 on_top || fail "not always on top again"
toggle_dot  # the ● still answers after a menu

step "ﾊﾞｰｼﾞｮﾝ情報 shows the version box; the right button over the menu's items chooses nothing"
version_box version
right_button_chooses_nothing right-button

step "小さく from the keyboard: still no taskbar entry; 終了 ends the program and saves"
keyboard_menu Menu
xdotool key Down Down Down Down Down Down Return  # the sixth item
wait_until 3 has_size 108 110 || fail "小さく did not make the window small"
no_taskbar_entry "after the size change"
on_top || fail "the size change lost always on top: $(window_state)"
locate
open_menu 20 60
xdotool mousemove $(menu_item 10) click 1  # 終了
await_exit 0
# Small, half transparent, on top; the position in twips.
expect_file "$work/Vestrel.ini" "$(printf '"1","0",%d,%d,"0"' $((left * 15)) $((top * 15)))"

step "a saved session's next login: the session manager starts the clock as Qt registered it"
# Qt registers "<program> -session <id>" as the restart command with an X session manager
# (xsm, KDE's, Xfce's); at the next login the manager runs just that.
start_clock sh -c 'exec "$0" -session 2ce03410b-89f4-44d3-b0b3-74d23b2d8b6b_1796648884_662916'
has_size 108 110 || fail "restarted: $(geometry "$win"), not the small clock it saved"
close_clock

step "with no font at all and a session bus: the face, nothing said, still two threads"
font_config no-fonts
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" ||
  fail "could not start a session bus"
{ read -r bus_address && read -r bus_pid; } <"$work/bus"
rm "$work/Vestrel.ini"
start_clock env -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON DBUS_SESSION_BUS_ADDRESS="$bus_address" \
  FONTCONFIG_FILE="$work/no-fonts/fonts.conf"
wait_until 5 is green $(at 85 6) || fail "no face without fonts"
sleep 1.5
shot fonts-none
two_threads "with a session bus"
close_clock
[[ ! -s $work/output.log ]] || fail "without fonts the program says: $(cat "$work/output.log")"

step "accessibility and an input method asked for are there"
start_clock env DBUS_SESSION_BUS_ADDRESS="$bus_address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  QT_IM_MODULE=compose FONTCONFIG_FILE="$work/fonts/fonts.conf"
sleep 1
thread_names | grep -q DBus || fail "no D-Bus thread: $(thread_names | tr '\n' ' ')"
input_method_loaded || fail "QT_IM_MODULE=compose loaded no input method plugin"
close_clock

step "without any X display: one clear message and a failure exit"
for display in "-u DISPLAY" "DISPLAY=:77"; do
  code=0
  env $display "${wayland[@]}" "$work/vestrel" >"$work/no-x.out" 2>"$work/no-x.err" || code=$?
  ((code != 0)) || fail "exit code 0 without an X display ('$display')"
  [[ $(wc -l <"$work/no-x.err") == 1 && ! -s "$work/no-x.out" ]] ||
    fail "not one message without an X display: $(cat "$work/no-x.out" "$work/no-x.err")"
  grep -q 'needs X11 or XWayland' "$work/no-x.err" || fail "unclear message: $(cat "$work/no-x.err")"
done

echo "PASS (screenshots in $shots)"
