#!/usr/bin/env bash
# Renders every picture of the saver (16 ships, the explosion, the preview and the icon) on
# white and on the sea colour, enlarged, for reviewing the art: screenshots/contact-sheet.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BRACKMER_BUILD:-$root/build}
out=${1:-$root/screenshots/contact-sheet.png}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target artgen >/dev/null
mkdir -p "$(dirname "$out")"
"$build/tools/artgen/artgen" --contact-sheet "$build/contact-sheet.ppm"
convert-im6.q16 "$build/contact-sheet.ppm" "$out"
echo "Contact sheet: $out"
