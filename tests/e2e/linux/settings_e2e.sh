#!/usr/bin/env bash
# The Linux program's settings file end to end on a virtual X server: the position a window
# manager move leaves is what the file holds after exit; a FIFO named Vestrel.ini does not hang
# the exit; SIGTERM, SIGHUP and SIGINT save like a close while kill -9 writes nothing; an
# installed copy run by a user who cannot write its folder keeps its settings in
# ~/.config/vestrel (or $XDG_CONFIG_HOME/vestrel).
#
#   settings_e2e.sh <path to vestrel> [folder for the screenshots]
set -euo pipefail

program=$(realpath "$1")
shots=$(realpath -m "${2:-$PWD/e2e}")
repo=$(cd "$(dirname "$0")/../../.." && pwd)
source "$repo/scripts/xsession.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

window_value() { xwininfo -id "$win" | sed -n "s/^ *$1: *//p"; }
at_position() {
  [[ $(window_value 'Absolute upper-left X') == "$1" &&
    $(window_value 'Absolute upper-left Y') == "$2" ]]
}
running() { kill -0 "$clock" 2>/dev/null; }
stopped() { ! running; }
viewable() { xwininfo -id "$win" | grep -q 'Map State: IsViewable'; }

# start_clock <folder> [command prefix...]: runs <folder>/vestrel in the background.
start_clock() {
  local folder=$1
  shift
  "$@" "$folder/vestrel" >"$work/output.log" 2>&1 &
  clock=$!
  win=$(timeout 10 xdotool search --sync --limit 1 --classname vestrel) ||
    fail "no window of class vestrel ($(cat "$work/output.log"))"
  wait_until 5 viewable || fail "the window was not shown"
}

# Waits for the clock to end within $1 seconds; its exit code in $code.
await_exit() {
  wait_until "${1:-10}" stopped || fail "the program did not end"
  code=0
  wait "$clock" || code=$?
  clock=
}

close_window() { xdotool windowactivate --sync "$win" key alt+F4; }

# The file holds exactly this record and CR LF.
holds() { cmp -s <(printf '%s\r\n' "$2") "$1"; }
expect_file() { holds "$1" "$2" || fail "$1 holds '$(cat -A "$1" 2>&1)', not '$2' + CR LF"; }

clock=
work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
  if [[ -n $clock ]]; then kill -9 "$clock" 2>/dev/null || true; fi
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$shots" "$work/app"
cp "$program" "$work/app/vestrel"
ini="$work/app/Vestrel.ini"
xsession_start

step "a window manager move is what the exit saves"
printf '"0","",3000,1500,""\r\n' >"$ini"
start_clock "$work/app"
wait_until 5 at_position 200 100 || fail "not restored at 200,100"
xdotool windowmove "$win" 400 300
wait_until 5 at_position 400 300 || fail "xdotool could not move the window"
sleep 0.3  # the program is not told of the move; give the X server a moment all the same
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code"
expect_file "$ini" '"0","",6000,4500,""'
[[ ! -e "$ini.tmp" ]] || fail "a temporary file was left"

step "SIGTERM, SIGHUP and SIGINT save like a close"
for signal in TERM HUP INT; do
  printf '"1","1",1500,1500,"1"\r\n' >"$ini"
  start_clock "$work/app"
  wait_until 5 at_position 100 100 || fail "not restored at 100,100"
  xdotool windowmove "$win" 300 200
  wait_until 5 at_position 300 200 || fail "xdotool could not move the window"
  sleep 0.3  # the move reaches the program through its X connection, the signal through a pipe
  kill -s "$signal" "$clock"
  await_exit 5
  [[ $code == 0 ]] || fail "exit code $code after SIG$signal"
  expect_file "$ini" '"1","1",4500,3000,"1"'
done

step "kill -9 writes nothing"
start_clock "$work/app"
xdotool windowmove "$win" 500 400
wait_until 5 at_position 500 400 || fail "xdotool could not move the window"
kill -9 "$clock"
await_exit 5
expect_file "$ini" '"1","1",4500,3000,"1"'

step "a FIFO named Vestrel.ini neither hangs the start nor the exit"
rm -f "$ini"
mkfifo "$ini"
start_clock "$work/app"
wait_until 5 at_position 0 0 || fail "the defaults were not used"
close_window
error_box() { xdotool search --onlyvisible --name '^Vestrel$' | grep -vx "$win"; }
wait_until 5 error_box >/dev/null || fail "no run-time error box (the exit hangs?)"
sleep 0.3
import -window root "$shots/settings-fifo-error.png"
xdotool windowactivate --sync "$(error_box | head -n1)" key Return
await_exit 5
[[ $code != 0 ]] || fail "exit code 0 although nothing was saved"
[[ -p "$ini" ]] || fail "the FIFO was replaced"
rm -f "$ini"

step "an installed copy keeps its settings in the user's configuration folder"
# A root-owned program folder, run by an ordinary user.
install -d -m 755 "$work/opt/vestrel"
install -m 755 "$program" "$work/opt/vestrel/vestrel"
install -d -m 755 -o nobody "$work/home"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env -u XDG_CONFIG_HOME HOME="$work/home")
start_clock "$work/opt/vestrel" "${as_user[@]}"
xdotool windowmove "$win" 120 80
wait_until 5 at_position 120 80 || fail "xdotool could not move the window"
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code: $(cat "$work/output.log")"
[[ ! -e "$work/opt/vestrel/Vestrel.ini" ]] || fail "written into the program's folder"
user_ini="$work/home/.config/vestrel/Vestrel.ini"
expect_file "$user_ini" '"0","",1800,1200,""'
[[ $(stat -c %U "$user_ini") == nobody ]] || fail "the file does not belong to the user"
# The next start reads it back from there.
start_clock "$work/opt/vestrel" "${as_user[@]}"
wait_until 5 at_position 120 80 || fail "the user's settings were not read back"
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code"

step "... or in \$XDG_CONFIG_HOME/vestrel"
install -d -m 755 -o nobody "$work/xdg"
start_clock "$work/opt/vestrel" "${as_user[@]}" XDG_CONFIG_HOME="$work/xdg"
xdotool windowmove "$win" 60 40
wait_until 5 at_position 60 40 || fail "xdotool could not move the window"
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code"
expect_file "$work/xdg/vestrel/Vestrel.ini" '"0","",900,600,""'

echo "PASS"
