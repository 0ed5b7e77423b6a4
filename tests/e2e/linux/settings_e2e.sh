#!/usr/bin/env bash
# The Linux program's settings file end to end on a virtual X server: the position a window
# manager move leaves is what the file holds after exit, also in a folder whose name is not
# UTF-8; a FIFO named Vestrel.ini does not hang the exit; SIGTERM, SIGHUP and SIGINT save like
# a close while kill -9 writes nothing; a file size limit makes the exit report its failure,
# not die half way through the save; an installed copy run by a user who cannot write its
# folder keeps its settings in ~/.config/vestrel (or $XDG_CONFIG_HOME/vestrel); a logout that
# ends the X server first saves.
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
# close_and_expect <file> <record>: closes the window; the exit writes the record to the file.
close_and_expect() {
  type_into_clock alt+F4
  await_exit 0
  expect_file "$1" "$2"
}

mkdir -p "$shots" "$work/app"
cp "$program" "$work/app/vestrel"
ini="$work/app/Vestrel.ini"
xsession_start

step "a window manager move is what the exit saves"
printf '"0","",3000,1500,""\r\n' >"$ini"
start_in "$work/app"
wait_until 5 at_position 200 100 || fail "not restored at 200,100"
move_to 400 300
close_and_expect "$ini" '"0","",6000,4500,""'
[[ ! -e "$ini.tmp" ]] || fail "a temporary file was left"

step "in a folder whose name is not UTF-8 the settings stay beside the program"
latin1="$work/caf"$'\xe9'
mkdir "$latin1"
cp "$program" "$latin1/vestrel"
printf '"0","",3000,1500,""\r\n' >"$latin1/Vestrel.ini"
start_in "$latin1"
wait_until 5 at_position 200 100 || fail "the settings beside the program were not read"
move_to 400 300
close_and_expect "$latin1/Vestrel.ini" '"0","",6000,4500,""'

step "SIGTERM, SIGHUP and SIGINT save like a close"
for signal in TERM HUP INT; do
  printf '"1","1",1500,1500,"1"\r\n' >"$ini"
  start_in "$work/app"
  wait_until 5 at_position 100 100 || fail "not restored at 100,100"
  move_to 300 200  # the move reaches the program through its X connection, the signal a pipe
  kill -s "$signal" "$clock"
  await_exit 0 5
  expect_file "$ini" '"1","1",4500,3000,"1"'
done

step "kill -9 writes nothing"
start_in "$work/app"
move_to 500 400
kill -9 "$clock"
await_exit "" 5
expect_file "$ini" '"1","1",4500,3000,"1"'

step "under a file size limit the exit reports the failure and keeps the last settings"
start_in "$work/app" bash -c 'ulimit -f 0 && exec "$@"' limited
move_to 200 200
type_into_clock alt+F4
dismiss_error_box settings-file-size-limit
await_exit 1 5
expect_file "$ini" '"1","1",4500,3000,"1"'
[[ ! -e "$ini.tmp" ]] || fail "a temporary file was left"

step "a FIFO named Vestrel.ini neither hangs the start nor the exit"
rm -f "$ini"
mkfifo "$ini"
start_in "$work/app"
wait_until 5 at_position 0 0 || fail "the defaults were not used"
type_into_clock alt+F4
dismiss_error_box settings-fifo-error
await_exit "" 5
[[ $code != 0 ]] || fail "exit code 0 although nothing was saved"
[[ -p "$ini" ]] || fail "the FIFO was replaced"
rm -f "$ini"

step "an installed copy keeps its settings in the user's configuration folder"
# A root-owned program folder with root's settings file in it, run by an ordinary user: the
# first start takes that file's settings, the exit saves in the user's folder.
install -d -m 755 "$work/opt/vestrel"
install -m 755 "$program" "$work/opt/vestrel/vestrel"
printf '"0","",1500,1500,""\r\n' >"$work/opt/vestrel/Vestrel.ini"
install -d -m 755 -o nobody "$work/home"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env -u XDG_CONFIG_HOME HOME="$work/home")
start_in "$work/opt/vestrel" "${as_user[@]}"
wait_until 5 at_position 100 100 || fail "the settings beside the program were not read"
move_to 120 80
user_ini="$work/home/.config/vestrel/Vestrel.ini"
close_and_expect "$user_ini" '"0","",1800,1200,""'
expect_file "$work/opt/vestrel/Vestrel.ini" '"0","",1500,1500,""'
[[ $(stat -c %U "$user_ini") == nobody ]] || fail "the file does not belong to the user"
# The next start reads it back from there.
start_in "$work/opt/vestrel" "${as_user[@]}"
wait_until 5 at_position 120 80 || fail "the user's settings were not read back"
type_into_clock alt+F4
await_exit 0

step "... or in \$XDG_CONFIG_HOME/vestrel"
install -d -m 755 -o nobody "$work/xdg"
start_in "$work/opt/vestrel" "${as_user[@]}" XDG_CONFIG_HOME="$work/xdg"
move_to 60 40
close_and_expect "$work/xdg/vestrel/Vestrel.ini" '"0","",900,600,""'

step "a logout that ends the X server first still saves"
printf '"0","",3000,1500,""\r\n' >"$ini"
start_in "$work/app"
move_to 400 300
xsession_stop
await_exit "" 5
expect_file "$ini" '"0","",6000,4500,""'

echo "PASS"
