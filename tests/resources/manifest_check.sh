#!/usr/bin/env bash
# Vestrel.exe carries resources/vestrel.manifest, as it is, as its one application manifest
# (resource 1 of type 24), and the manifest is well-formed XML: Windows refuses to start a
# program whose manifest is malformed.
set -euo pipefail

exe=${1:?usage: manifest_check.sh path/to/Vestrel.exe path/to/vestrel.manifest}
manifest=${2:?usage: manifest_check.sh path/to/Vestrel.exe path/to/vestrel.manifest}
fail() {
  echo "manifest_check: FAIL: $*" >&2
  exit 1
}
[[ -f $exe ]] || fail "$exe does not exist; build it with the windows preset"
command -v wrestool >/dev/null && command -v xmllint >/dev/null ||
  fail "wrestool or xmllint is missing (see scripts/deps.sh)"

xmllint --noout "$manifest" || fail "the manifest is not well-formed XML"
[[ $(wrestool -l "$exe" | grep -c -- '--type=24 ') == 1 ]] || fail "not exactly one manifest"
wrestool -l "$exe" | grep -q -- '--type=24 --name=1 ' || fail "the manifest is not resource 1"
cmp -s <(wrestool -x --raw --type=24 --name=1 "$exe" | tr -d '\r') <(tr -d '\r' <"$manifest") ||
  fail "the manifest in $exe is not $manifest"
echo "manifest_check: PASS"
