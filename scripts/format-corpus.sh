#!/usr/bin/env bash
# Format selection on all of the Free Pascal sources (Debian's fpc-source, about 9,000 files):
# builds tavrill-text optimised, checks every file with scripts/format-check.py (same tokens on
# the same lines, and a second run changes nothing), then times it beside ptop
# (bench/format-vs-ptop.py). The native tests run a fixed sample of 300 of these files.
#
#   scripts/format-corpus.sh [source root, default /usr/share/fpcsrc]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sources=${1:-/usr/share/fpcsrc}
[[ -d $sources ]] || { echo "no sources at $sources (apt-get install fpc-source-3.2.2)"; exit 77; }
cmake --preset bench -B "$root/build/bench" > /dev/null
cmake --build "$root/build/bench" -j2 --target tavrill-text tavrill_format_bench
tool=$root/build/bench/bin/tavrill-text
python3 "$root/scripts/format-check.py" --tool "$tool" "$sources"
python3 "$root/scripts/format-check.py" --tool "$tool" --style "--indent 4 --reserved-words upper --directives-at-column0" \
    --sample 1000 "$sources"
"$root/build/bench/bin/tavrill_format_bench" "$sources" 3
command -v ptop > /dev/null && python3 "$root/bench/format-vs-ptop.py" "$tool" "$sources"
