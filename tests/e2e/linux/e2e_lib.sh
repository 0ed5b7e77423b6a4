# Helpers of the Linux end-to-end scripts that run the clock on a virtual X display. Source it
# after setting `program` (the built vestrel) and `shots` (the screenshot folder); it starts
# nothing by itself. Window-relative coordinates use $left and $top (see locate).

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck source=../../../scripts/xsession.sh
source "$repo/scripts/xsession.sh"

desktop='#3a6ea5'  # a desktop colour that neither the face nor the window manager uses

# shellcheck source=../e2e_common.sh
source "$repo/tests/e2e/e2e_common.sh"

shot() { import -window root "$shots/$1.png"; }
# The colours of the screen pixels of a w x h block as lines "r g b".
block() {
  import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p'
}
# Colour tests on "r g b".
black() { (($1 < 24 && $2 < 24 && $3 < 24)); }
green() { (($2 >= 96 && $2 > $1 + 48 && $2 > $3 + 48)); }
red() { (($1 >= 128 && $2 < 64 && $3 < 64)); }
yellowish() { (($1 > 96 && $2 > 48 && $3 < 48 && $1 >= $2)); }
desktop() { [[ $(printf '%02x%02x%02x' "$@") == "${desktop#\#}" ]]; }
# is <test> <x> <y>: the pixel passes the test.
is() {
  local rgb
  rgb=$(block "$2" "$3" 1 1)
  [[ -n $rgb ]] && "$1" $rgb
}

window_value() { xwininfo -id "${2:-$win}" | sed -n "s/^ *$1: *//p"; }
window_state() { xprop -id "$win" _NET_WM_STATE; }
has_state() { window_state | grep -q "$1"; }
at_position() {
  [[ $(window_value 'Absolute upper-left X') == "$1" &&
    $(window_value 'Absolute upper-left Y') == "$2" ]]
}
running() { kill -0 "$clock" 2>/dev/null; }
stopped() { ! running; }

# Override-redirect windows of the program that are mapped: the popup menu.
popup_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname vestrel 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && echo "$w"
  done
  return 0
}
popup_open() { [[ -n $(popup_windows) ]]; }
popup_closed() { [[ -z $(popup_windows) ]]; }
# "x y" of the open popup menu's top-left corner.
popup_corner() {
  local menu
  menu=$(popup_windows | head -n1)
  echo "$(window_value 'Absolute upper-left X' "$menu") $(window_value 'Absolute upper-left Y' "$menu")"
}

# start_clock [command prefix...]: starts $clock_program, by default $work/vestrel (after the
# prefix, such as env or faketime); its window in $win.
start_clock() {
  "$@" "${clock_program:-$work/vestrel}" >"$work/output.log" 2>&1 &
  clock=$!
  win=$(timeout 30 xdotool search --sync --limit 1 --classname vestrel) ||
    fail "no window of class vestrel ($(cat "$work/output.log"))"
  wait_until 5 bash -c "xwininfo -id $win | grep -q 'Map State: IsViewable'" ||
    fail "the window was not shown"
}

# await_exit [seconds]: waits for the clock to end; its exit code in $code.
await_exit() {
  wait_until "${1:-10}" stopped || fail "the program did not end"
  code=0
  wait "$clock" || code=$?
  clock=
}

left=0 top=0
locate() {
  left=$(window_value 'Absolute upper-left X')
  top=$(window_value 'Absolute upper-left Y')
}
at() { echo $((left + $1)) $((top + $2)); }

clock=
work=$(mktemp -d)
cleanup() {
  if [[ -n $clock ]]; then kill ${cleanup_clock_signal:-} "$clock" 2>/dev/null || true; fi
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh virtual display with the desktop coloured, the program copied to $work.
e2e_begin() {
  mkdir -p "$shots"
  cp "$program" "$work/vestrel"
  xsession_start
  xsession_colour_desktop "$desktop"
  is desktop 0 0 || fail "could not colour the desktop"
}
