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
# longer). It builds and then runs at low priority beside the main tree, in the time that
# tree waits on its art, its Windows configuration, its links and Wine. Exit 3: no build.
checked=$build/checked
CC=clang CXX=clang++ cmake -S "$root" -B "$checked" -DBRACKMER_CHECKED=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 bash -c 'cmake --build "$1" -j "$(nproc)" >"$1/build.log" 2>&1 || exit 3
  ctest --test-dir "$1" --output-on-failure >"$1/test.log" 2>&1' _ "$checked" &
checked_run=$!
cmake --build "$build" -j "$(nproc)" || { kill "$checked_run"; exit 1; }
# The Wine tests run in three sessions side by side (cmake/WindowsBuild.cmake), each one test
# at a time; the fourth slot runs the native tests.
status=0
ctest --test-dir "$build" --output-on-failure -j 4 || status=$?
checked_status=0
wait "$checked_run" || checked_status=$?
if [ "$checked_status" = 3 ]; then
  cat "$checked/build.log"
  echo "The checked tree did not build" >&2
  exit 1
fi
cat "$checked/test.log"
[ "$checked_status" = 0 ] || status=1
exit "$status"
