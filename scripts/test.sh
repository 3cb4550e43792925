#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native unit tests,
# the Windows unit tests under Wine, and the end-to-end tests of the real .scr on a
# private virtual display. The build lives in ./build (or $BRACKMER_BUILD).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
# The Wine tests share one display and one wineserver, so ctest runs serially.
ctest --test-dir "$build" --output-on-failure
