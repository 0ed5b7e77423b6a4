#!/usr/bin/env bash
# Builds every target (Linux program, tests, benchmarks, Vestrel.exe) and runs every test:
# the logic on the headless host (also under ASan/UBSan), the renderer and the artwork, and
# both real programs end to end on a virtual display (the Windows one under wine).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh test

cmake --preset windows >/dev/null
cmake --build --preset windows -j2
cmake --preset linux >/dev/null
cmake --build --preset linux -j2
cmake --preset asan >/dev/null
cmake --build --preset asan -j2

ctest --preset asan -j2
ctest --preset linux -j2
