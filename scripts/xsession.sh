# A virtual X display with a window manager, for running and testing the clock without a
# screen. Source it, then call xsession_start / xsession_stop.

xsession_start() {
  local fd_file
  fd_file=$(mktemp)
  # -displayfd picks a free display number; -noreset keeps the server when clients leave.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
  XSESSION_XVFB=$!
  local i
  for i in $(seq 100); do
    [[ -s "$fd_file" ]] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  openbox --sm-disable >/dev/null 2>&1 &
  XSESSION_WM=$!
  # Wait until the window manager owns the screen...
  for i in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
  # ...and has finished starting: a window mapped while it still starts up can stay unmapped
  # for good. A small probe window shows when it handles map requests.
  xclock -geometry 8x8+0+0 -name vestrel-probe >/dev/null 2>&1 &
  local probe=$! id
  for i in $(seq 200); do
    id=$(xdotool search --classname vestrel-probe 2>/dev/null | head -n1) || true
    [[ -n "$id" ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && break
    sleep 0.05
  done
  kill "$probe" 2>/dev/null || true
  wait "$probe" 2>/dev/null || true
}

xsession_stop() {
  kill "${XSESSION_WM:-}" "${XSESSION_XVFB:-}" 2>/dev/null || true
  wait "${XSESSION_WM:-}" "${XSESSION_XVFB:-}" 2>/dev/null || true
}

# Paints the desktop one colour, so that what lies outside the clock's ellipse shows.
xsession_colour_desktop() {
  display -window root -size 8x8 "xc:$1" 2>/dev/null || true  # exits 1 even when it worked
}
