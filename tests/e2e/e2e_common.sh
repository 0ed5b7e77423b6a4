# What every end-to-end script needs: failing with a message, naming its steps and waiting for
# a condition; the virtual display (scripts/xsession.sh); the screen's pixels, the clock's
# window ($win, its corner in $left and $top) and its process ($clock). A script that sets
# `e2e_name` has its messages prefixed with it.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/xsession.sh
source "$repo/scripts/xsession.sh"

fail() {
  echo "${e2e_name:+$e2e_name: }FAIL: $*" >&2
  exit 1
}
step() {
  if [[ -n ${e2e_name:-} ]]; then echo "$e2e_name: $*"; else echo "-- $*"; fi
}

# wait_until <seconds> <command...>: polls the command until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1 * ${E2E_PATIENCE:-3}))  # slack for loaded machines
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

desktop='#3a6ea5'  # a desktop colour that neither the face nor a window manager uses

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
# is <test> <x> <y>: the screen pixel passes the test.
is() {
  local rgb
  rgb=$(block "$2" "$3" 1 1)
  [[ -n $rgb ]] && "$1" $rgb
}
# near_in <test> <x> <y> <w> <h>: some pixel of the block passes.
near_in() {
  local r g b
  while read -r r g b; do
    "$1" "$r" "$g" "$b" && return 0
  done < <(block "$2" "$3" "$4" "$5")
  return 1
}
# count_in <test> <x> <y> <w> <h>: how many pixels of the block pass.
count_in() {
  local r g b n=0
  while read -r r g b; do
    if "$1" "$r" "$g" "$b"; then n=$((n + 1)); fi
  done < <(block "$2" "$3" "$4" "$5")
  echo "$n"
}

# "x y width height" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
left=0 top=0
# Reads the clock window's corner into $left and $top; `at x y` is a window point on the screen.
locate() { read -r left top _ < <(geometry "$win"); }
at() { echo $((left + $1)) $((top + $2)); }
at_position() { [[ $(geometry "$win" | cut -d' ' -f1,2) == "$1 $2" ]]; }
# move_to <x> <y>: the window moved as a window manager moves it (the program is not told);
# the program is given a moment all the same.
move_to() {
  xdotool windowmove "$win" "$1" "$2"
  wait_until 5 at_position "$1" "$2" || fail "xdotool could not move the window: $(geometry "$win")"
  sleep 0.5
}

clock=
running() { kill -0 "$clock" 2>/dev/null; }
stopped() { ! running; }
# await_exit [exit code] [seconds]: waits for the clock to end, fails unless it ended with that
# code (when one is given); the code in $code.
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

# right_button_chooses_nothing <shot>: a right press opens the popup menu with its corner
# under the pointer at (20, 60); neither the release nor a whole right click over 終了, its
# first item, chooses it or closes the menu. Each library has its own menu_open, menu_corner
# and close_menu.
right_button_chooses_nothing() {
  xdotool mousemove $(at 20 60) mousedown 3
  wait_until 5 menu_open || fail "no popup menu"
  sleep 0.5
  xdotool mousemove $(at 40 70) mouseup 3
  sleep 0.5
  running || fail "a right-button release over 終了 ended the program"
  menu_open || fail "a right-button release over an item closed the menu"
  local x y
  read -r x y < <(menu_corner)
  xdotool mousemove $((x + 30)) $((y + 10)) click 3
  sleep 0.5
  running || fail "a right click on 終了 ended the program"
  menu_open || fail "a right click on an item closed the menu"
  shot "$1"
  close_menu
}
