#!/usr/bin/env bash
# The Debian package as a packager and a user see it: dependencies, exact contents, lintian
# (owners too), desktop entry, AppStream data, manual page and icons; unpacked and run
# as nobody: the desktop entry's command and the window icon's sizes.
# Usage: package_e2e.sh <build folder of the linux preset> <project version>
set -euo pipefail

build=$(realpath "$1")
version=$2
source "$(dirname "$0")/e2e_lib.sh"
chmod 755 "$work"  # the user who runs the program must reach the unpacked tree

step "cpack -G DEB builds the package"
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb="$build/packages/vestrel_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || fail "no $deb"

step "Depends (the file name carries name, version and architecture; lintian the rest)"
depends=$(dpkg-deb -f "$deb" Depends)
# From dpkg-shlibdeps: the libraries the program links, with versions; and the menu font.
for dependency in 'libc6 (>=' 'libstdc++6 (>=' 'libqt6core6 (>=' 'libqt6gui6 (>=' \
  'libqt6widgets6 (>=' 'libxcb1' 'libfontconfig1' 'fonts-ipafont-mincho' 'fonts-ipafont-gothic'; do
  [[ ", $depends," == *", $dependency"* ]] || fail "Depends lacks $dependency: $depends"
done

step "contents"
icon_sizes=(16 24 32 48 64 128 256)
expected_files=$(printf '%s\n' ./usr/bin/vestrel ./usr/share/applications/vestrel.desktop \
  ./usr/share/doc/vestrel/{LICENSE,README.md,changelog.gz,copyright} \
  $(for s in "${icon_sizes[@]}"; do echo ./usr/share/icons/hicolor/${s}x$s/apps/vestrel.png; done) \
  ./usr/share/icons/hicolor/scalable/apps/vestrel.svg \
  ./usr/share/man/man1/vestrel.1.gz ./usr/share/metainfo/org.vestrel.Vestrel.metainfo.xml | sort)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
[[ $files == "$expected_files" ]] || fail "contents differ:
$(diff <(echo "$expected_files") <(echo "$files"))"

step "lintian reports no errors"
lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian reports errors: $(grep -v 'root privileges' "$work/lintian.log")"

step "unpacked: the files check out"
root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/vestrel"
if readelf -S "$program" | grep -Eq '\.symtab|\.debug_'; then fail "the program is not stripped"; fi
desktop_file="$root/usr/share/applications/vestrel.desktop"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate"
for key in Name=Vestrel 'Categories=Utility;Clock;' Icon=vestrel Terminal=false Type=Application \
  'Comment=.+'; do
  grep -qxE "$key" "$desktop_file" || fail "the desktop entry lacks $key"
done
metainfo="$root/usr/share/metainfo/org.vestrel.Vestrel.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo lacks release $version"
grep -q '<launchable type="desktop-id">vestrel.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not name the desktop entry"
gzip -dc "$root/usr/share/man/man1/vestrel.1.gz" | grep -q "Vestrel $version" ||
  fail "the manual page does not say $version"
gzip -dc "$root/usr/share/doc/vestrel/changelog.gz" | head -n1 | grep -q "^vestrel ($version)" ||
  fail "changelog"
cmp -s "$root/usr/share/doc/vestrel/LICENSE" "$repo/LICENSE" || fail "LICENSE"
for size in "${icon_sizes[@]}"; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/vestrel.png"
  info=$(identify -format '%m %w %h %A' "$png") || fail "$png does not read"
  [[ $info == "PNG $size $size "[BT]* ]] || fail "$png: $info (want a $size px PNG with alpha)"
  corner=$(convert "$png" -format '%[fx:int(255*p{0,0}.a)] %[fx:int(255*p{w/2,h/4}.a)]' info:)
  [[ $corner == "0 255" ]] || fail "$png: alpha at the corner and on the face: $corner"
done
grep -q '<svg ' "$root/usr/share/icons/hicolor/scalable/apps/vestrel.svg" || fail "scalable icon"

home="$work/home"  # from here on an ordinary user's
install -d -o nobody -g nogroup "$home"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env -i HOME="$home" PATH="$root/usr/bin:/usr/bin:/bin" LANG=C.UTF-8)

step "the desktop entry's command starts the clock"
xsession_start
exec_line=$(sed -n 's/^Exec=//p' "$desktop_file")  # a command without field codes
[[ $("${as_user[@]}" sh -c "command -v $exec_line") == "$program" ]] ||
  fail "Exec=$exec_line does not run the packaged program"
clock_program=$exec_line start_clock "${as_user[@]}" DISPLAY="$DISPLAY"
[[ $(stat -c %U "/proc/$clock") == nobody ]] || fail "the clock does not run as nobody"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
[[ $(xprop -id "$win" WM_CLASS) == *", \"$wm_class\"" ]] ||
  fail "the window's class is not the desktop entry's $wm_class: $(xprop -id "$win" WM_CLASS)"

step "the window icon comes in 16, 32, 48 and 256 px"
window_icons=$(xprop -len 1000000000 -id "$win" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' |
  sort -n | tr '\n' ' ')
[[ $window_icons == "16x16 32x32 48x48 256x256 " ]] || fail "_NET_WM_ICON sizes: $window_icons"

echo "PASS"
