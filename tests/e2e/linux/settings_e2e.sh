#!/usr/bin/env bash
# The Linux program's settings file: a window manager's move is what the exit saves, in a
# folder whose name is not UTF-8 and at a logout that ends the X server first; SIGTERM, SIGHUP
# and SIGINT save; a file size limit and a FIFO are reported, not hung on; an installed copy
# keeps its settings in ~/.config/vestrel or $XDG_CONFIG_HOME/vestrel (when that is absolute).
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
chmod 755 "$work"
cleanup_clock_signal=-9  # a clock left running must not save over what is checked
e2e_begin
ini="$work/Vestrel.ini"

step "in a folder whose name is not UTF-8, a window manager's move is what the exit saves"
latin1="$work/caf"$'\xe9'
mkdir "$latin1"
cp "$program" "$latin1/vestrel"
clock_program="$latin1/vestrel" saves_move "$latin1/Vestrel.ini"

step "SIGTERM, SIGHUP and SIGINT save like a close"
for signal in TERM HUP INT; do
  # The move reaches the program through its X connection, the signal through a pipe.
  moved_from "$ini" '"1","1",1500,1500,"1"' 100 100 300 200
  kill -s "$signal" "$clock"
  await_exit 0 5
  expect_file "$ini" '"1","1",4500,3000,"1"'
done

step "under a file size limit the exit reports the failure and keeps the last settings"
start_clock bash -c 'ulimit -f 0 && exec "$@"' limited
move_to 200 200
close_window
dismiss_error_box settings-file-size-limit
expect_file "$ini" '"1","1",4500,3000,"1"'
[[ ! -e "$ini.tmp" ]] || fail "a temporary file was left"

step "a FIFO named Vestrel.ini neither hangs the start nor the exit"
fifo_refused "$ini"

step "an installed copy keeps its settings in the user's configuration folder"
# Root's program folder with root's settings file in it, run by an ordinary user: the first
# start takes that file's settings, the exit saves in the user's folder.
install -d -m 755 "$work/opt/vestrel"
install -m 755 "$program" "$work/opt/vestrel/vestrel"
printf '"0","",1500,1500,""\r\n' >"$work/opt/vestrel/Vestrel.ini"
install -d -m 755 -o nobody "$work/home" "$work/xdg"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env -u XDG_CONFIG_HOME HOME="$work/home")
clock_program="$work/opt/vestrel/vestrel"
start_clock "${as_user[@]}"
wait_until 5 at_position 100 100 || fail "the settings beside the program were not read"
move_to 120 80
close_clock
user_ini="$work/home/.config/vestrel/Vestrel.ini"
expect_file "$user_ini" '"0","",1800,1200,""'
expect_file "$work/opt/vestrel/Vestrel.ini" '"0","",1500,1500,""'
[[ $(stat -c %U "$user_ini") == nobody ]] || fail "the file does not belong to the user"
# A relative $XDG_CONFIG_HOME is no configuration folder: it is passed over.
start_clock "${as_user[@]}" XDG_CONFIG_HOME=relative/config
wait_until 5 at_position 120 80 || fail "the user's settings were not read back"
close_clock

step "... or in \$XDG_CONFIG_HOME/vestrel"
start_clock "${as_user[@]}" XDG_CONFIG_HOME="$work/xdg"
move_to 60 40
close_clock
expect_file "$work/xdg/vestrel/Vestrel.ini" '"0","",900,600,""'

step "a logout that ends the X server first still saves"
clock_program="$work/vestrel" moved_from "$ini" '"0","",3000,1500,""' 200 100 400 300
xsession_stop
await_exit "" 5
expect_file "$ini" '"0","",6000,4500,""'

echo "PASS"
