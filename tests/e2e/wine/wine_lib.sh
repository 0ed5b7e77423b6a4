# Helpers of the wine end-to-end scripts. Source it after setting `e2e_name` (the prefix of
# its messages). It makes $work and, on exit, ends the program ($app_pid), the wine server and
# the virtual display and removes $work; a script's own clean-up goes in cleanup_more.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck source=../../../scripts/xsession.sh
source "$repo/scripts/xsession.sh"

# shellcheck source=../e2e_common.sh
source "$repo/tests/e2e/e2e_common.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-$e2e_name.XXXXXX")
app_pid=""
cleanup_more() { :; }
cleanup() {
  cleanup_more
  if [[ -n "$app_pid" ]]; then kill -9 "$app_pid" 2>/dev/null || true; fi
  if [[ -n "${WINEPREFIX:-}" && -d "${WINEPREFIX:-}" ]]; then wineserver -k 2>/dev/null || true; fi
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT

export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC

# The program's Japanese locale, built into $work for this run.
japanese_locale() {
  mkdir -p "$work/locale"
  localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1 ||
    fail "localedef could not build ja_JP.UTF-8"
  export LOCPATH="$work/locale"
  { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null  # this shell keeps its own locale
}

# wine_prefix [folder under C:]: a fresh prefix in $work/prefix; with a folder, $exe is copied
# there as Vestrel.exe and $app_dir names the folder.
# make_prefix [command prefix...]: a new prefix in $WINEPREFIX, set up by wineboot. Setting one
# up now and then fails on a loaded machine; a second try after stopping its server succeeds.
make_prefix() {
  local attempt
  for attempt in 1 2; do
    if "$@" wineboot -i >"$work/wineboot.log" 2>&1; then
      "$@" wineserver -w
      return 0
    fi
    "$@" wineserver -k 2>/dev/null || true
  done
  fail "wineboot -i failed: $(tail -n 5 "$work/wineboot.log")"
}

wine_prefix() {
  export WINEPREFIX="$work/prefix"
  make_prefix
  if [[ -n "${1:-}" ]]; then
    app_dir="$WINEPREFIX/drive_c/$1"
    mkdir -p "$app_dir"
    cp "$exe" "$app_dir/Vestrel.exe"
  fi
}

# "x y width height" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
running() { kill -0 "$app_pid" 2>/dev/null; }
stopped() { ! running; }

# Waits for the program to end; its exit code in $code.
await_exit() {
  wait_until 15 stopped || fail "the clock did not end"
  code=0
  wait "$app_pid" || code=$?
  app_pid=""
}
