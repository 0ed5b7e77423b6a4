#!/usr/bin/env bash
# Installs from Debian's archive what Vestrel needs:
#   deps.sh run    building and running the Linux program (what scripts/run.sh needs)
#   deps.sh test   that, and building every target and running every test (the default)
# Quick when everything is already there.
set -euo pipefail

# Compiler, CMake, Qt 6 and a Japanese font for the menu; the virtual display, window manager
# and screenshot tools for run.sh without a display.
run_packages=(
  cmake g++ make qt6-base-dev libgl-dev libxcb1-dev fonts-ipafont-mincho fonts-ipafont-gothic
  libfontconfig-dev
  xvfb openbox xdotool x11-utils x11-apps imagemagick
)
# Tests and benchmarks, the Windows cross build and wine, the end-to-end tools (with the GTK
# platform theme many GTK desktops have), and the package checks.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev valgrind clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64
  faketime tzdata locales xcompmgr bc dbus-daemon procps
  qt6-wayland weston icoutils x11-xserver-utils libx11-dev xtrace qt6-gtk-platformtheme
  dpkg-dev lintian desktop-file-utils appstream libxml2-utils
)

case "${1:-test}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
