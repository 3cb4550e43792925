#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native unit tests,
# the Windows unit tests under Wine, the end-to-end tests of the real .scr on a private
# virtual display, then the native tests under the sanitizers and the fuzz targets' bounded
# runs. The build lives in ./build (or $BRACKMER_BUILD), the checked tree in BUILD/checked.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
# The Wine tests share one display and one wineserver, so ctest runs serially.
ctest --test-dir "$build" --output-on-failure
# The native tests once more under AddressSanitizer, UndefinedBehaviorSanitizer and the
# standard library's assertions, and a bounded run of each fuzz target: a tree of its own,
# built with clang (scripts/fuzz.sh runs the fuzz targets longer).
CC=clang CXX=clang++ cmake -S "$root" -B "$build/checked" -DBRACKMER_CHECKED=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build/checked" -j "$(nproc)"
ctest --test-dir "$build/checked" --output-on-failure
