#!/usr/bin/env bash
# Runs a Windows program built here through Wine: its own prefix in the build tree,
# Wine's messages silenced. Used as CMake's cross-compiling emulator, so ctest runs
# the Windows-side tests like any other. A display must already exist (xvfb-run).
set -eu
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}"
export WINEPREFIX WINEDEBUG=-all
exec wine "$@"
