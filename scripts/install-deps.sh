#!/usr/bin/env bash
# Installs the build and test tools on Debian or Ubuntu when any is missing.
set -euo pipefail
packages=(cmake make g++ python3 googletest libgtest-dev libbenchmark-dev clang-14 clang-format-14 libclang-rt-14-dev
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth imagemagick
          fpc fpc-source-3.2.2)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
