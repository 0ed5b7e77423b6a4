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
source "$(dirname "$0")/e2e_lib.sh"
chmod 755 "$work"
cleanup_clock_signal=-9  # a clock left running must not save over what is checked

# start_in <folder> [command prefix...]: runs <folder>/vestrel in the background.
start_in() {
  local folder=$1
  shift
  clock_program="$folder/vestrel" start_clock "$@"
}

close_window() { xdotool windowactivate --sync "$win" key alt+F4; }

# The file holds exactly this record and CR LF.
holds() { cmp -s <(printf '%s\r\n' "$2") "$1"; }
expect_file() { holds "$1" "$2" || fail "$1 holds '$(cat -A "$1" 2>&1)', not '$2' + CR LF"; }

mkdir -p "$shots" "$work/app"
cp "$program" "$work/app/vestrel"
ini="$work/app/Vestrel.ini"
xsession_start

step "a window manager move is what the exit saves"
printf '"0","",3000,1500,""\r\n' >"$ini"
start_in "$work/app"
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
  start_in "$work/app"
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
start_in "$work/app"
xdotool windowmove "$win" 500 400
wait_until 5 at_position 500 400 || fail "xdotool could not move the window"
kill -9 "$clock"
await_exit 5
expect_file "$ini" '"1","1",4500,3000,"1"'

step "a FIFO named Vestrel.ini neither hangs the start nor the exit"
rm -f "$ini"
mkfifo "$ini"
start_in "$work/app"
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
start_in "$work/opt/vestrel" "${as_user[@]}"
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
start_in "$work/opt/vestrel" "${as_user[@]}"
wait_until 5 at_position 120 80 || fail "the user's settings were not read back"
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code"

step "... or in \$XDG_CONFIG_HOME/vestrel"
install -d -m 755 -o nobody "$work/xdg"
start_in "$work/opt/vestrel" "${as_user[@]}" XDG_CONFIG_HOME="$work/xdg"
xdotool windowmove "$win" 60 40
wait_until 5 at_position 60 40 || fail "xdotool could not move the window"
close_window
await_exit
[[ $code == 0 ]] || fail "exit code $code"
expect_file "$work/xdg/vestrel/Vestrel.ini" '"0","",900,600,""'

echo "PASS"
