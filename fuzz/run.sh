#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer, ASan + UBSan) and runs each for a while, one after
# the other: the text rewrites, the templates, then Format selection.
#
#   fuzz/run.sh [seconds per target, default 60] [build folder, default build/h-text-fuzz] [extra libFuzzer options]
#   FUZZ_TARGETS=format fuzz/run.sh 600     # only the Format selection fuzzer
#
# The corpus grows in <build folder>/corpus/<target> and is reused by the next run; a failing input
# is written to <build folder>/crash-* and the script exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build/h-text-fuzz}
shift $(( $# < 2 ? $# : 2 ))
targets=${FUZZ_TARGETS:-text template format}

cmake --preset fuzz -B "$build" > /dev/null
for target in $targets; do
    cmake --build "$build" -j2 --target "tavrill_${target}_fuzz"
done

# A few plausible inputs to start from.
corpus=$build/corpus/text
mkdir -p "$corpus"
printf '\x02\x20//a := 1;\r\n//  b := 2;\r\n' > "$corpus/seed-slash"
printf '\x04\x20  { x := 0; }\r\n' > "$corpus/seed-brace"
printf '\x02\x20(* a\r\n *)\r\n' > "$corpus/seed-paren"
printf '\x02\x20    a\r\n b\r\nc\r\r\n\n\r' > "$corpus/seed-indent"
printf '\x01\x20my_var := some_func(x2y);\xe9mile' > "$corpus/seed-case"

corpus=$build/corpus/template
mkdir -p "$corpus"
printf '  try\r\n    %%SELECTION%%\r\n  finally %%INPUT:name=Obj%%.Free;%%|%% %%DATE%% %%d%%%%' > "$corpus/seed-snippet"
printf '%s' "<?xml version='1.0'?><codetemplate version='1.0'><template name='forb'><description>loop</description>\
<point name='i'><hint>index</hint><text>I</text></point><script>x</script>\
<code language='Delphi' delimiter='|'><![CDATA[for |i| := 0 to |n| do |*||selected||end| || 50%%DATE%%]]></code>\
</template></codetemplate>" > "$corpus/seed-import"
printf '\xff\xfe<\0a\0 \0x\0=\0"\0&\0#\0x\x004\x001\0;\0"\0/\0>\0' > "$corpus/seed-utf16"

# Format selection starts from real units (six bytes of options in front), which the fuzzer cuts
# at random lines and mutates.
corpus=$build/corpus/format
mkdir -p "$corpus"
fpcsrc=/usr/share/fpcsrc/3.2.2
for unit in "$root/tools/sample-editor/Sample.pas" "$fpcsrc/packages/fcl-base/src/contnrs.pp" \
            "$fpcsrc/rtl/objpas/classes/lists.inc" "$fpcsrc/packages/hash/src/md5.pp"; do
    if [[ -f $unit ]]; then
        { printf '\x02\x00\x01\x00\x10\x00'; head -c 6000 "$unit"; } > "$corpus/seed-$(basename "$unit")"
    fi
done

cd "$build"
for target in $targets; do
    options=()
    [[ $target == format ]] && options=(-max_len=8192)
    bin/tavrill_${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 "${options[@]}" "$@" "corpus/$target"
done
