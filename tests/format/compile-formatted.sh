#!/usr/bin/env bash
# Formats the sample editor's unit and a few self-contained Free Pascal units with
# `tavrill-text format`, compiles each before and after with `fpc -Mdelphi`, and expects the
# same object code: formatting changes blanks only, so the compiler must see the same program.
# Exit code 77 (skipped) where Free Pascal is not installed.
#   compile-formatted.sh <tavrill-text> <work folder> <source root>
set -euo pipefail
command -v fpc > /dev/null || { echo "fpc not installed: skipped"; exit 77; }
tool=$1 work=$2 root=$3
fpcsrc=/usr/share/fpcsrc/3.2.2
units=("$root/tools/sample-editor/Sample.pas")
for u in packages/fcl-base/src/contnrs.pp packages/fcl-base/src/base64.pp packages/hash/src/md5.pp \
         packages/hash/src/crc.pas packages/fcl-base/src/avl_tree.pp packages/fcl-base/src/inifiles.pp; do
    [[ -f $fpcsrc/$u ]] && units+=("$fpcsrc/$u")
done
rm -rf "$work" && mkdir -p "$work"
failed=0
for unit in "${units[@]}"; do
    name=$(basename "$unit")
    # The sample is unit Unit1 for Windows: compiled under its unit's name beside an empty Windows.
    [[ $name == Sample.pas ]] && name=Unit1.pas
    for side in before after; do
        mkdir -p "$work/$side"
        printf 'unit Windows;\ninterface\nimplementation\nend.\n' > "$work/$side/Windows.pas"
        if [[ $side == before ]]; then cp "$unit" "$work/$side/$name"; else "$tool" format < "$unit" > "$work/$side/$name"; fi
        if ! (cd "$work/$side" && fpc -Mdelphi -Fi"$(dirname "$unit")" "$name" > "${name%.*}.log" 2>&1); then
            echo "FAIL $unit: does not compile $side formatting (see $work/$side/${name%.*}.log)"
            failed=1
        fi
    done
    if ! cmp -s "$work/before/${name%.*}.o" "$work/after/${name%.*}.o"; then
        echo "FAIL $unit: the object code differs after formatting"
        failed=1
    else
        echo "ok   $unit"
    fi
done
exit $failed
