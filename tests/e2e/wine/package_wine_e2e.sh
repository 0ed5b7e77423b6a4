#!/usr/bin/env bash
# The Windows zip: Vestrel.exe (stripped, system DLLs only), README and licence in one folder;
# under wine the unpacked program answers --version and a bad argument in a message box, with
# the same text on a standard handle a script attached, and its exit code.
# Usage: package_wine_e2e.sh <windows build folder> <version> [screenshot folder]
set -euo pipefail

build=$(realpath "$1")
version=$2
shots=$(realpath -m "${3:-$PWD/e2e}")
e2e_name=package_wine_e2e
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"

[[ -f $build/CPackConfig.cmake ]] ||
  fail "configure the windows preset first: cmake --preset windows && cmake --build --preset windows"

step "cpack -G ZIP builds the zip"
(cd "$build" && cpack -G ZIP >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
zip="$build/packages/Vestrel-$version-win64.zip"
[[ -f $zip ]] || fail "no $zip"

step "contents"
folder="Vestrel-$version-win64"
expected=$(printf "$folder/%s\n" LICENSE.txt README.md Vestrel.exe)
contents=$(cmake -E tar tf "$zip" | grep -v '/$' | sort)
[[ $contents == "$expected" ]] || fail "the zip holds:
$contents"
(cd "$work" && cmake -E tar xf "$zip")
exe="$work/$folder/Vestrel.exe"
cmp -s "$work/$folder/LICENSE.txt" "$repo/LICENSE" || fail "LICENSE.txt"
cmp -s "$work/$folder/README.md" "$repo/README.md" || fail "README.md"

step "Vestrel.exe is stripped and imports only system DLLs"
objdump=x86_64-w64-mingw32-objdump
if $objdump -h "$exe" | grep -q '\.debug'; then fail "debug sections left in Vestrel.exe"; fi
$objdump -t "$exe" | grep -q 'no symbols' || fail "symbols left in Vestrel.exe"
imports=$($objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
[[ $imports == "gdi32.dll kernel32.dll msvcrt.dll user32.dll " ]] || fail "imports: $imports"

step "the command line under wine"
xsession_start
wine_prefix

# answer <exit code> <arguments...>: OK in the message box; stdout and stderr in $work/out, err.
answer() {
  local expected=$1 box
  shift
  wine "$exe" "$@" >"$work/out" 2>"$work/err" &
  clock=$!
  box=$(timeout 30 xdotool search --sync --limit 1 --name '^Vestrel$') ||
    fail "no message box for $*"
  sleep 0.3  # let it paint
  shot "wine-command-line-$expected"
  xdotool windowactivate --sync "$box" key Return
  await_exit "$expected"
}

answer 0 --version
[[ $(head -n1 "$work/out" | tr -d '\r') == "Vestrel $version" ]] ||
  fail "--version wrote: $(cat "$work/out")"
grep -q 'MIT License' "$work/out" || fail "--version gives no licence"
answer 2 --bogus "two words"
[[ $(head -n1 "$work/err" | tr -d '\r') == "Vestrel.exe: unknown argument '--bogus'" ]] ||
  fail "a bad argument wrote: $(cat "$work/err")"
echo "PASS"
