# Helpers of the wine end-to-end scripts; a script's own clean-up goes in cleanup_more.

# shellcheck source=../e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e_common.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-$e2e_name.XXXXXX")
mkdir -p "${shots:-$work}"
cleanup_more() { :; }
cleanup() {
  cleanup_more
  if [[ -n "$clock" ]]; then kill -9 "$clock" 2>/dev/null || true; fi
  if [[ -n "${WINEPREFIX:-}" && -d "${WINEPREFIX:-}" ]]; then wineserver -k 2>/dev/null || true; fi
  xsession_stop
  rm -rf "$work" 2>/dev/null || { sleep 1 && rm -rf "$work"; }  # wine may still write its prefix
}
trap cleanup EXIT

export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC

# make_prefix [command prefix...]: wineboot now and then fails on a loaded machine; a second
# try after stopping its server succeeds.
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

# wine_prefix [folder under C:]: a fresh prefix; $exe copied into the folder, $app_dir.
wine_prefix() {
  export WINEPREFIX="$work/prefix"
  make_prefix
  if [[ -n "${1:-}" ]]; then
    app_dir="$WINEPREFIX/drive_c/$1"
    mkdir -p "$app_dir"
    cp "$exe" "$app_dir/Vestrel.exe"
  fi
}

# wine_session <folder under C:>: also the Japanese locale, under which alone wine draws the
# menu's captions in the Japanese system's GUI font.
wine_session() {
  [[ -f "$exe" ]] || fail "$exe does not exist; build it first:" \
    "cmake --preset windows && cmake --build --preset windows -j2"
  step "starting X and wine"
  mkdir -p "$work/locale"
  localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1 ||
    fail "localedef could not build ja_JP.UTF-8"
  export LOCPATH="$work/locale"
  { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null  # this shell keeps its own locale
  xsession_start
  colour_desktop
  wine_prefix "$1"
}

# start_clock [command prefix...]: $clock_exe, by default $app_dir/Vestrel.exe.
start_clock() {
  "$@" wine "${clock_exe:-$app_dir/Vestrel.exe}" >"$work/run.log" 2>&1 &
  clock=$!
  await_window vestrel.exe "$work/run.log"
}
focus_clock() { xdotool mousemove $(at 30 60) click 1; }

# The program's visible top-level windows other than the clock: its popup menu.
menu_windows() {
  xdotool search --onlyvisible --maxdepth 1 --classname vestrel.exe 2>/dev/null |
    grep -vx "$win"
}
# expect_menu_at <x> <y> <what>: the menu opens there with nine items; in $menu_left and so on.
expect_menu_at() {
  wait_until 10 menu_open || fail "$3: no popup menu"
  read -r menu_left menu_top menu_width menu_height < <(menu_geometry)
  [[ "$menu_left,$menu_top" == "$1,$2" ]] || fail "$3: the menu is at $menu_left,$menu_top, not at $1,$2"
  ((menu_width >= 80 && menu_width <= 320 && menu_height >= 110 && menu_height <= 320)) ||
    fail "$3: the menu is $menu_width x $menu_height: not nine items"
}
# open_menu: a right press at (40, 130) opens the menu there.
open_menu() {
  xdotool mousemove $(at 40 130) mousedown 3
  expect_menu_at $((left + 40)) $((top + 130)) "a right press"
  xdotool mouseup 3
}
