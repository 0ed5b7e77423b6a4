# What every end-to-end script needs: messages, waiting, the virtual display, screen pixels, the
# clock's window ($win at $left $top, $width x $height) and its process ($clock).

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/xsession.sh
source "$repo/scripts/xsession.sh"

fail() {
  echo "${e2e_name:+$e2e_name: }FAIL: $*" >&2
  exit 1
}
step() { if [[ -n ${e2e_name:-} ]]; then echo "$e2e_name: $*"; else echo "-- $*"; fi; }

wait_until() {
  local deadline=$((SECONDS + $1 * ${E2E_PATIENCE:-3}))  # slack for loaded machines
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

desktop='#3a6ea5'  # a desktop colour that neither the face nor a window manager uses
colour_desktop() {
  xsession_colour_desktop "$desktop"
  is desktop 0 0 || fail "could not colour the desktop"
}

shot() { import -window root "$shots/$1.png"; }
# The screen pixels of a w x h block as lines "r g b".
block() {
  import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p'
}
black() { (($1 < 24 && $2 < 24 && $3 < 24)); }
green() { (($2 >= 96 && $2 > $1 + 48 && $2 > $3 + 48)); }
red() { (($1 >= 128 && $2 < 64 && $3 < 64)); }
yellowish() { (($1 > 96 && $2 > 48 && $3 < 48 && $1 >= $2)); }
desktop() { [[ $(printf '%02x%02x%02x' "$@") == "${desktop#\#}" ]]; }
# count_in <test> <x> <y> <w> <h>: how many pixels of the block pass.
count_in() {
  local r g b n=0
  while read -r r g b; do
    if "$1" "$r" "$g" "$b"; then n=$((n + 1)); fi
  done < <(block "$2" "$3" "$4" "$5")
  echo "$n"
}
near_in() { (($(count_in "$@") > 0)); }
is() { near_in "$1" "$2" "$3" 1 1; }

differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
locate() { read -r left top width height < <(geometry "$win"); }
at() { echo $((left + $1)) $((top + $2)); }
at_position() { [[ $(geometry "$win" | cut -d' ' -f1,2) == "$1 $2" ]]; }
has_size() { [[ $(geometry "$win" | cut -d' ' -f3,4) == "$1 $2" ]]; }
window_state() { xprop -id "$win" _NET_WM_STATE; }
has_state() { window_state | grep -q "$1"; }
on_top() { has_state _NET_WM_STATE_ABOVE; }
not_on_top() { ! on_top; }
opacity_half=2155905152  # 0x80808080: alpha 128 of 255
opacity_full=4294967295
has_opacity() { xprop -id "$win" _NET_WM_WINDOW_OPACITY | grep -q "= $1\$"; }
# x_trace <name>: a command prefix that runs the program through xtrace, which writes its X
# requests to $work/<name>.trace.
x_trace() { echo xtrace -n -o "$work/$1.trace" -D ":$((${DISPLAY#:} + 200))"; }
# shown_when_shaped <name>: in that trace the window that got the elliptical shape was first
# mapped only after its shape and its transparency were set. Mapped before, it would flash up
# as an opaque rectangle.
shown_when_shaped() {
  local trace="$work/$1.trace" id map shape opacity
  id=$(grep -o 'Rectangles .*destination window=0x[0-9a-f]*' "$trace" | tail -n1 | grep -o '0x[0-9a-f]*$')
  [[ -n $id ]] || return 1
  first_line() { grep -n -m1 "$1" "$trace" | cut -d: -f1; }
  map=$(first_line "MapWindow window=$id")
  shape=$(first_line "Rectangles .*destination window=$id")
  opacity=$(first_line "window=$id property=[^ ]*(\"_NET_WM_WINDOW_OPACITY\")")
  [[ -n $map && -n $shape && -n $opacity ]] && ((shape < map && opacity < map))
}
has_shape() { xwininfo -shape -id "$win" | grep -Eq "Window shape extents: *$1\+0\+0"; }
no_frame() { [[ $(xprop -id "$win" _NET_FRAME_EXTENTS) == *"= 0, 0, 0, 0" ]]; }
# xprop cuts long properties short unless told their length.
has_icon() { xprop -len 1000000000 -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; }
# expect_clock_window <shape extents> <x y of the tick at 12>: the large clock as it starts
# without settings.
expect_clock_window() {
  has_size 170 174 || fail "window is $(geometry "$win"), not 170 x 174"
  wait_until 5 no_frame || fail "the window has a frame: $(xprop -id "$win" _NET_FRAME_EXTENTS)"
  wait_until 5 has_shape "$1" || fail "no elliptical shape: $(xwininfo -shape -id "$win")"
  wait_until 5 on_top || fail "not always on top: $(window_state)"
  wait_until 5 has_opacity "$opacity_half" ||
    fail "not half transparent: $(xprop -id "$win" _NET_WM_WINDOW_OPACITY)"
  wait_until 5 has_icon || fail "no 32 x 32 window icon"
  wait_until 10 is green $(at "$2" "$3") || fail "no green tick at 12"
}
# move_to <x> <y>: the window moved by a window manager (the program is not told).
move_to() {
  xdotool windowmove "$win" "$1" "$2"
  wait_until 5 at_position "$1" "$2" || fail "xdotool could not move the window: $(geometry "$win")"
  sleep 0.5
  locate
}
# await_window <class> <log>: the first visible window of that class.
await_window() {
  win=$(timeout 60 xdotool search --sync --onlyvisible --classname "$1" | head -n1) || true
  [[ -n $win ]] || fail "no window of class $1 shown: $(tail -n 5 "$2")"
  locate
}

clock=
# Alt+F4 as real key presses to the focused clock (focus_clock is each platform's): keys sent
# to the window alone can leave Alt held in wine for the next run.
close_window() {
  focus_clock
  xdotool key alt+F4
}
# close_clock [exit code, 0 unless given]
close_clock() {
  close_window
  await_exit "${1-0}"
}
running() { kill -0 "$clock" 2>/dev/null; }
stopped() { ! running; }
# await_exit [exit code] [seconds]: the clock ends (with that code if given); the code in $code.
await_exit() {
  wait_until "${2:-15}" stopped || fail "the program did not end"
  code=0
  wait "$clock" || code=$?
  clock=
  [[ -z ${1:-} || $code == "$1" ]] || fail "exit code $code, not $1"
}

# expect_file <file> <record>: the file holds exactly this one record and CR LF.
expect_file() {
  [[ -f $1 ]] || fail "$1 was not written"
  cmp -s <(printf '%s\r\n' "$2") "$1" || fail "$1 holds '$(cat -A "$1")', not '$2' + CR LF"
}

# The program's popup menu: menu_windows (each library's own) lists its windows.
menu_open() { [[ -n $(menu_windows) ]]; }
menu_closed() { [[ -z $(menu_windows) ]]; }
menu_geometry() { geometry "$(menu_windows | head -n1)"; }
menu_corner() { menu_geometry | cut -d' ' -f1,2; }
# menu_item <dy>: the point 30 px into the menu and dy below its top (above its bottom if < 0).
menu_item() { menu_geometry | awk -v d="$1" '{ print $1 + 30, (d < 0 ? $2 + $4 : $2) + d }'; }
close_menu() {
  xdotool key Escape
  wait_until 5 menu_closed || fail "Escape did not close the menu"
}
error_box() { xdotool search --onlyvisible --name '^Vestrel$' 2>/dev/null | grep -vx "$win"; }

# choose <keys...>: the popup menu opened by the mouse, an item chosen with these keys.
choose() {
  open_menu
  xdotool key "$@" Return
  wait_until 5 menu_closed || fail "the menu stayed open"
}
# keyboard_menu <key>: the key opens the popup menu at the window's centre, not at the pointer.
keyboard_menu() {
  focus_clock
  xdotool mousemove 1000 700 key "$1"
  wait_until 5 menu_open || fail "$1 opened no menu"
  [[ $(menu_corner) == "$(at $((width / 2)) $((height / 2)))" ]] ||
    fail "$1: the menu is at $(menu_corner), not at the window's centre"
}
# version_box <shot>: ﾊﾞｰｼﾞｮﾝ情報, the menu's last item, shows the version box; Return closes it.
version_box() {
  choose Up
  local box
  box=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報') ||
    fail "no version box"
  sleep 0.3  # let it paint
  shot "$1"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
  box_gone() { ! xdotool search --onlyvisible --name 'ｱﾌﾟﾘｹｰｼｮﾝ情報' >/dev/null; }
  wait_until 5 box_gone || fail "the version box stayed open"
}
# dismiss_error_box <shot>: the run-time error box, a second window named Vestrel, shown at the
# exit and answered with Return; the program then ends with exit code 1.
dismiss_error_box() {
  wait_until 10 error_box >/dev/null || fail "no run-time error box (the exit hangs?)"
  sleep 0.3  # let it paint
  shot "$1"
  xdotool windowactivate --sync "$(error_box | head -n1)" key Return 2>/dev/null || true
  await_exit 1
}

# moved_from <ini> <record> <x> <y> <to x> <to y>: with that record in the file the clock
# starts at (x, y), then a window manager moves it.
moved_from() {
  printf '%s\r\n' "$2" >"$1"
  start_clock
  wait_until 10 at_position "$3" "$4" || fail "not restored at $3,$4: $(geometry "$win")"
  move_to "$5" "$6"
}
# saves_move <ini>: the position a window manager's move leaves is what closing saves.
saves_move() {
  moved_from "$1" '"0","",3000,1500,""' 200 100 400 300
  close_clock
  expect_file "$1" '"0","",6000,4500,""'
  [[ ! -e "$1.tmp" ]] || fail "a temporary file was left"
}
# fifo_refused <ini>: a FIFO in the settings file's place hangs neither the start, which takes
# the defaults, nor the exit, which reports the run-time error and leaves the FIFO.
fifo_refused() {
  rm -f "$1"
  mkfifo "$1"
  start_clock
  wait_until 10 at_position 0 0 || fail "the defaults were not used: $(geometry "$win")"
  close_window
  dismiss_error_box settings-fifo-error
  [[ -p "$1" ]] || fail "the FIFO was replaced"
  rm -f "$1"
}

# right_button_chooses_nothing <shot>: a right press at (20, 60) opens the popup menu; neither
# the release nor a right click over 終了, its first item, chooses it or closes the menu.
right_button_chooses_nothing() {
  xdotool mousemove $(at 20 60) mousedown 3
  wait_until 5 menu_open || fail "no popup menu"
  sleep 0.5
  xdotool mousemove $(at 40 70) mouseup 3
  sleep 0.5
  running || fail "a right-button release over 終了 ended the program"
  menu_open || fail "a right-button release over an item closed the menu"
  xdotool mousemove $(menu_item 10) click 3
  sleep 0.5
  running || fail "a right click on 終了 ended the program"
  menu_open || fail "a right click on an item closed the menu"
  shot "$1"
  close_menu
}
