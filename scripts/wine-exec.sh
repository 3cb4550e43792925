#!/usr/bin/env bash
# Runs a Windows program in the current Wine session (see wine-session.sh); the cross
# build uses it as its emulator, so Windows tests run under Wine from ctest.
set -euo pipefail
dir=${BRACKMER_WINE_DIR:?BRACKMER_WINE_DIR names the session directory}
# shellcheck disable=SC1091
source "$dir/session.env"
exec /usr/lib/wine/wine64 "$@" </dev/null
