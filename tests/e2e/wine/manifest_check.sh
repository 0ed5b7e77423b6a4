#!/usr/bin/env bash
# Vestrel.exe carries its application manifest as resource 1 of type 24: supported OS entries
# for Windows 7 to 11, Common Controls 6, not DPI aware (Windows enlarges the whole clock on
# scaled screens) and run as the invoking user.
#
#   manifest_check.sh path/to/Vestrel.exe
set -euo pipefail

exe=${1:?usage: manifest_check.sh path/to/Vestrel.exe}
fail() {
  echo "manifest_check: FAIL: $*" >&2
  exit 1
}
[[ -f $exe ]] || fail "$exe does not exist; build it with the windows preset"
command -v wrestool >/dev/null || fail "wrestool is not installed (icoutils, see scripts/deps.sh)"

wrestool -l "$exe" | grep -q -- '--type=24 --name=1 ' || fail "no manifest resource (24, 1)"
[[ $(wrestool -l "$exe" | grep -c -- '--type=24 ') == 1 ]] || fail "more than one manifest"
manifest=$(wrestool -x --raw --type=24 --name=1 "$exe" | tr -d '\r')
# Only the elements, without the comments, count.
elements=$(sed -e ':a' -e 's/<!--.*-->//g; /<!--/ { N; ba; }' <<<"$manifest" | tr -s ' \n' ' ')

expect() {
  grep -Eq "$1" <<<"$elements" || fail "the manifest lacks $2"
}
expect '^ ?<\?xml version="1.0" encoding="UTF-8" standalone="yes"\?>' "its XML declaration"
expect '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">' \
  "the assembly element"
expect '</assembly> ?$' "the end of the assembly"
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  expect "<supportedOS Id=\"\\{$os\\}\"/>" "the supported OS $os"
done
expect 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="\*" publicKeyToken="6595b64144ccf1df"' \
  "Common Controls 6"
expect '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">false</dpiAware>' \
  "dpiAware false"
expect '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">unaware</dpiAwareness>' \
  "dpiAwareness unaware"
expect '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "asInvoker"
# Every element opened is closed, in order (a crude well-formedness check).
open_tags=$(grep -o '<[A-Za-z][^ >/]*\|</[^>]*>\|/>' <<<"$elements" | awk '
  /^<\// { tag = substr($0, 3, length($0) - 3); if (depth == 0 || stack[depth] != tag) { print "bad " tag; exit }
           depth--; next }
  /^\/>$/ { depth--; next }
  { stack[++depth] = substr($0, 2) }
  END { print depth }')
[[ $open_tags == 0 ]] || fail "the manifest's elements do not nest: $open_tags"
echo "manifest_check: PASS"
