#!/usr/bin/env bash
# Configures and builds one target (x86_64 or i686) into build/<arch>. Extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
shift || true
build=${RULVIO_BUILD_DIR:-$root/build/$arch}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" "$@" >/dev/null
# RULVIO_TARGETS names the targets to build; all of them when empty.
cmake --build "$build" ${RULVIO_TARGETS:+--target $RULVIO_TARGETS}
