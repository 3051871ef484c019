#!/usr/bin/env bash
# Sets everything up, builds the 64-bit and the 32-bit game, and runs every test of the 64-bit build
# under Wine in a virtual display of its own. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
RULVIO_BUILD_DIR= "$root/scripts/build.sh" i686 -DRULVIO_TESTS=OFF
RULVIO_BUILD_DIR= "$root/scripts/build.sh" x86_64 -DRULVIO_TESTS=ON
"$root/scripts/check-binaries.sh"

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start
cd "$root/build/x86_64"
# One test at a time: the tests share one desktop, its foreground window and its mouse.
ctest --output-on-failure --timeout 300 "$@"
