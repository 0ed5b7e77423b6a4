#!/usr/bin/env bash
# What a running clock costs the machine besides its frames: two threads (the program's and
# Qt's X event reader), no D-Bus connection and no helper process at start, without a session
# bus as with one, and no input method plugin. A user who asks for Qt's accessibility bridge
# or an input method gets them.
#
#   footprint_e2e.sh <path to vestrel> [folder for the screenshots]
set -euo pipefail

program=$(realpath "$1")
shots=$(realpath -m "${2:-$PWD/e2e}")
source "$(dirname "$0")/e2e_lib.sh"

# The names of the clock's threads, one a line.
thread_names() { cat /proc/"$clock"/task/*/comm; }
# Whether the clock has loaded one of Qt's input method plugins.
input_method_loaded() { grep -q platforminputcontexts /proc/"$clock"/maps; }
# The processes the clock started.
children() { pgrep -P "$clock" || true; }
# stop_clock: closes the clock from the keyboard, as a user would.
stop_clock() {
  xdotool windowactivate --sync "$win" 2>/dev/null || true
  xdotool key alt+F4
  await_exit
  ((code == 0)) || fail "exit code $code"
}

e2e_begin

step "started without a session bus: two threads, no D-Bus, no helper process"
start_clock env -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON
sleep 1  # past the first frames
shot footprint-started
locate
is desktop $(at 85 87) && fail "the clock's face is not drawn (footprint-started.png)"
names=$(thread_names)
(($(wc -l <<<"$names") <= 2)) || fail "threads: $(tr '\n' ' ' <<<"$names")"
grep -q DBus <<<"$names" && fail "a D-Bus thread runs: $(tr '\n' ' ' <<<"$names")"
[[ -z $(children) ]] || fail "the clock started processes: $(children)"
input_method_loaded && fail "an input method plugin was loaded"

step "a session bus makes no difference"
stop_clock
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" ||
  fail "could not start a session bus"
bus_address=$(sed -n 1p "$work/bus")
bus_pid=$(sed -n 2p "$work/bus")
start_clock env -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON DBUS_SESSION_BUS_ADDRESS="$bus_address"
sleep 1
names=$(thread_names)
(($(wc -l <<<"$names") <= 2)) || fail "threads with a session bus: $(tr '\n' ' ' <<<"$names")"

step "the menu still opens and answers the keyboard"
locate
open_menu
close_menu

step "the menu key opens the menu without an input method"
xdotool windowactivate --sync "$win" 2>/dev/null || true
xdotool key Menu
wait_until 3 menu_open || fail "the menu key opened no menu"
close_menu

step "accessibility and an input method asked for by the user: both are there from the start"
stop_clock
start_clock env DBUS_SESSION_BUS_ADDRESS="$bus_address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  QT_IM_MODULE=compose
sleep 1
thread_names | grep -q DBus || fail "no D-Bus thread: $(thread_names | tr '\n' ' ')"
input_method_loaded || fail "QT_IM_MODULE=compose loaded no input method plugin"
stop_clock
kill "$bus_pid"

echo "PASS (screenshots in $shots)"
