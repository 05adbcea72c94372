#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer, ASan + UBSan) and runs each for a while: the text
# rewrites, then Format selection.
#
#   fuzz/run.sh [seconds per target, default 60] [build folder, default build/h-text-fuzz] [extra libFuzzer options]
#
# The corpora grow in <build folder>/corpus/<target> and are reused by the next run; a failing
# input is written to <build folder>/crash-* and the script exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build/h-text-fuzz}
shift $(( $# < 2 ? $# : 2 ))

cmake --preset fuzz -B "$build" > /dev/null
cmake --build "$build" -j2 --target tavrill_text_fuzz tavrill_format_fuzz

corpus=$build/corpus/text
mkdir -p "$corpus"
# A few plausible selections to start from.
printf '\x02\x20//a := 1;\r\n//  b := 2;\r\n' > "$corpus/seed-slash"
printf '\x04\x20  { x := 0; }\r\n' > "$corpus/seed-brace"
printf '\x02\x20(* a\r\n *)\r\n' > "$corpus/seed-paren"
printf '\x02\x20    a\r\n b\r\nc\r\r\n\n\r' > "$corpus/seed-indent"
printf '\x01\x20my_var := some_func(x2y);\xe9mile' > "$corpus/seed-case"

# Format selection starts from real units (six bytes of options in front), which the fuzzer cuts
# at random lines and mutates.
formatCorpus=$build/corpus/format
mkdir -p "$formatCorpus"
fpcsrc=/usr/share/fpcsrc/3.2.2
for unit in "$root/tools/sample-editor/Sample.pas" "$fpcsrc/packages/fcl-base/src/contnrs.pp" \
            "$fpcsrc/rtl/objpas/classes/lists.inc" "$fpcsrc/packages/hash/src/md5.pp"; do
    if [[ -f $unit ]]; then
        { printf '\x02\x00\x01\x00\x10\x00'; head -c 6000 "$unit"; } > "$formatCorpus/seed-$(basename "$unit")"
    fi
done

cd "$build"
bin/tavrill_text_fuzz -max_total_time="$seconds" -print_final_stats=1 "$@" "$corpus"
exec bin/tavrill_format_fuzz -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 "$@" "$formatCorpus"
