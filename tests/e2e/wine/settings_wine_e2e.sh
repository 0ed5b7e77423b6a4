#!/usr/bin/env bash
# Vestrel.exe's settings file under wine: a window manager's move is what the exit and the end
# of the session save; a FIFO hangs neither start nor exit; an installed copy run by a user who
# cannot write its folder keeps its settings in %APPDATA%\Vestrel.
set -euo pipefail

exe=$(realpath "${1:?usage: settings_wine_e2e.sh path/to/Vestrel.exe}")
e2e_name=settings_wine_e2e
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"

chmod 755 "$work"
cleanup_more() {
  if [[ -d "$work/user-prefix" ]]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
      env HOME="$work/home" WINEPREFIX="$work/user-prefix" wineserver -k 2>/dev/null || true
  fi
}

step "starting X and the wine prefix"
xsession_start
wine_prefix Vestrel
ini="$app_dir/Vestrel.ini"

step "a window manager move is what the exit saves"
saves_move "$ini"

step "the end of the session saves like a close"
start_clock
wait_until 10 at_position 400 300 || fail "not restored at 400,300: $(geometry "$win")"
move_to 100 50
wine wineboot --end-session >/dev/null 2>&1 || true
await_exit
expect_file "$ini" '"0","",1500,750,""'

step "a FIFO named Vestrel.ini hangs neither the start nor the exit"
rm -f "$ini"
mkfifo "$ini"
start_clock
wait_until 10 at_position 0 0 || fail "the defaults were not used: $(geometry "$win")"
close_window
# The run-time error box shows at once.
finished() { stopped || error_box >/dev/null; }
wait_until 10 finished || fail "the exit hangs"
if ! stopped; then
  xdotool key --window "$(error_box | head -n1)" Return 2>/dev/null || true
fi
await_exit
((code != 0)) || fail "exit code 0 although nothing was saved"
[[ -p "$ini" ]] || fail "the FIFO was replaced"
rm -f "$ini"

step "an installed copy keeps its settings in %APPDATA%\\Vestrel"
# wine runs only in a prefix its user owns; the program's folder is root's.
install -d -m 755 -o nobody "$work/home" "$work/user-prefix"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env HOME="$work/home" WINEPREFIX="$work/user-prefix")
make_prefix "${as_user[@]}"
installed="$work/user-prefix/drive_c/Program Files/Vestrel"
install -d -m 755 -o root "$installed"
install -m 755 -o root "$exe" "$installed/Vestrel.exe"
clock_exe="$installed/Vestrel.exe" start_clock "${as_user[@]}"
move_to 120 80
close_clock
[[ ! -e "$installed/Vestrel.ini" ]] || fail "written into the program's folder"
user_ini=$(find "$work/user-prefix/drive_c/users" -path '*/Vestrel/Vestrel.ini' | head -n1)
[[ "$user_ini" == *"/AppData/Roaming/Vestrel/Vestrel.ini" ]] || fail "written to '$user_ini'"
expect_file "$user_ini" '"0","",1800,1200,""'
clock_exe="$installed/Vestrel.exe" start_clock "${as_user[@]}"
wait_until 10 at_position 120 80 || fail "the user's settings were not read back: $(geometry "$win")"
close_clock

step "passed"
