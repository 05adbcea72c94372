#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer, ASan + UBSan) and runs the text fuzzer for a while.
#
#   fuzz/run.sh [seconds, default 60] [build folder, default build/h-text-fuzz] [extra libFuzzer options]
#
# The corpus grows in <build folder>/corpus/text and is reused by the next run; a failing input
# is written to <build folder>/crash-* and the script exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build/h-text-fuzz}
shift $(( $# < 2 ? $# : 2 ))

cmake --preset fuzz -B "$build" > /dev/null
cmake --build "$build" -j2 --target tavrill_text_fuzz

corpus=$build/corpus/text
mkdir -p "$corpus"
# A few plausible selections to start from.
printf '\x02\x20//a := 1;\r\n//  b := 2;\r\n' > "$corpus/seed-slash"
printf '\x04\x20  { x := 0; }\r\n' > "$corpus/seed-brace"
printf '\x02\x20(* a\r\n *)\r\n' > "$corpus/seed-paren"
printf '\x02\x20    a\r\n b\r\nc\r\r\n\n\r' > "$corpus/seed-indent"
printf '\x01\x20my_var := some_func(x2y);\xe9mile' > "$corpus/seed-case"

cd "$build"
exec bin/tavrill_text_fuzz -max_total_time="$seconds" -print_final_stats=1 "$@" "$corpus"
