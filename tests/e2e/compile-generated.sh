#!/usr/bin/env bash
# Compiles the unit that the guard block session made from the tool bar's output, in Delphi mode.
# Exit code 77 (skipped) where Free Pascal is not installed.
#   compile-generated.sh <folder holding GeneratedBlocks.pas>
set -euo pipefail
command -v fpc > /dev/null || { echo "fpc not installed: skipped"; exit 77; }
cd "$1"
[[ -f GeneratedBlocks.pas ]] || { echo "no GeneratedBlocks.pas: the session did not run" >&2; exit 1; }
mkdir -p fpc-out
fpc -Mdelphi -vew -FUfpc-out GeneratedBlocks.pas
