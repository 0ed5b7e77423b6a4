#!/usr/bin/env bash
# What a running clock costs besides its frames: two threads (its own and Qt's X event
# reader), no D-Bus, no helper process, no input method plugin, with or without a session bus;
# a user who asks for Qt's accessibility bridge or an input method gets them.
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

thread_names() { cat /proc/"$clock"/task/*/comm; }
input_method_loaded() { grep -q platforminputcontexts /proc/"$clock"/maps; }
children() { pgrep -P "$clock" || true; }

e2e_begin

step "started without a session bus: two threads, no D-Bus, no helper process"
start_clock env -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON
sleep 1  # past the first frames
shot footprint-started
is desktop $(at 85 87) && fail "the clock's face is not drawn (footprint-started.png)"
names=$(thread_names | tr '\n' ' ')
(($(thread_names | wc -l) <= 2)) && [[ $names != *DBus* ]] || fail "threads: $names"
[[ -z $(children) ]] || fail "the clock started processes: $(children)"
input_method_loaded && fail "an input method plugin was loaded"

step "a session bus makes no difference"
close_clock
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" ||
  fail "could not start a session bus"
bus_address=$(sed -n 1p "$work/bus")
bus_pid=$(sed -n 2p "$work/bus")
start_clock env -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON DBUS_SESSION_BUS_ADDRESS="$bus_address"
sleep 1
(($(thread_names | wc -l) <= 2)) || fail "threads with a session bus: $(thread_names | tr '\n' ' ')"

step "accessibility and an input method asked for by the user: both are there from the start"
close_clock
start_clock env DBUS_SESSION_BUS_ADDRESS="$bus_address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  QT_IM_MODULE=compose
sleep 1
thread_names | grep -q DBus || fail "no D-Bus thread: $(thread_names | tr '\n' ' ')"
input_method_loaded || fail "QT_IM_MODULE=compose loaded no input method plugin"
close_clock
kill "$bus_pid"

echo "PASS (screenshots in $shots)"
