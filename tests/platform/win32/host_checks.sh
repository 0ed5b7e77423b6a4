#!/usr/bin/env bash
# The Windows host's own checks (VestrelHostChecks.exe, built beside Vestrel.exe: files, the
# window's messages, every handle released) under wine, on a virtual display, run from a
# folder with a Japanese name in the Japanese locale the program runs in.
set -euo pipefail

exe=${1:?usage: host_checks.sh path/to/VestrelHostChecks.exe}
e2e_name=win32_host_checks
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/wine/wine_lib.sh"
wine_session 時計テスト
if ! wine "$app_dir/Vestrel.exe" >"$work/checks.log" 2>&1; then
  tr -d '\r' <"$work/checks.log" >&2
  fail "the host checks failed"
fi
step "passed"
