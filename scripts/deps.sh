#!/usr/bin/env bash
# Installs what building, running and testing Vestrel needs from Debian's archive.
# Quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev valgrind
  qt6-base-dev libgl-dev libxcb1-dev libx11-dev fonts-ipafont-mincho fonts-ipafont-gothic
  g++-mingw-w64-x86-64 wine wine64
  xvfb openbox xdotool x11-utils x11-apps imagemagick faketime locales xcompmgr bc
)

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
