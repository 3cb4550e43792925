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
# The checked tree: the native tests once more under AddressSanitizer,
# UndefinedBehaviorSanitizer and the standard library's assertions, and a bounded run of each
# fuzz target; a tree of its own, built with clang (scripts/fuzz.sh runs the fuzz targets
# longer). It builds at low priority beside the main tree, in the time that tree waits on
# its art, its Windows configuration and its links.
checked=$build/checked
CC=clang CXX=clang++ cmake -S "$root" -B "$checked" -DBRACKMER_CHECKED=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$checked" -j "$(nproc)" >"$checked/build.log" 2>&1 &
checked_build=$!
cmake --build "$build" -j "$(nproc)" || { kill "$checked_build"; exit 1; }
# The Wine tests run in three sessions side by side (cmake/WindowsBuild.cmake), each one test
# at a time; the fourth slot runs the native tests.
status=0
ctest --test-dir "$build" --output-on-failure -j 4 || status=$?
if ! wait "$checked_build"; then
  cat "$checked/build.log"
  echo "The checked tree did not build" >&2
  exit 1
fi
ctest --test-dir "$checked" --output-on-failure || status=$?
exit "$status"
