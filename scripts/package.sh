#!/usr/bin/env bash
# Builds the release packages for 64-bit and 32-bit Windows and puts them into dist/:
#   dist/delphi-tavrill-<version>-win64.zip, dist/delphi-tavrill-<version>-win32.zip
# Each holds tavrill.exe, tavrill-text.exe, tav_help.html, README.txt and example UnitHead.txt
# and ProcHead.txt; unzipped into a folder of its own, it is the whole installation.
# Installs the build tools first when any is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh
mkdir -p dist
for preset in win64 win32; do
    echo "=== $preset package"
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" -j "$jobs" --target tavrill_package
    rm -f dist/delphi-tavrill-*-"$preset".zip  # an older version's package
    # The build tree may still hold the package of an older version: the newest is this one.
    cp "$(ls -t "build/$preset"/package/delphi-tavrill-*-"$preset".zip | head -n 1)" dist/
done
ls -l dist/*.zip
