#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the project's environment (the tests'
# cross-compiling emulator).
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
