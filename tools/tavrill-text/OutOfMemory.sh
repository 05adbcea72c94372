#!/usr/bin/env bash
# Runs tavrill-text under an address-space limit a little above what it needs to start, on an
# input that it must hold whole ("{" and gigabytes that never close it), and expects the one-line
# message and exit code 3 instead of a crash.
#
#   OutOfMemory.sh [launcher...] path/to/tavrill-text
#
# Exit 77 (skipped) when the program does not start under any limit tried.
set -uo pipefail
run=("$@")
headroom_kib=$((512 << 10))

starts_under() {  # limit in KiB
    [[ $( (ulimit -v "$1" && printf x | "${run[@]}" upper) 2>/dev/null) == X ]]
}
limit=""
for ((mib = 512; mib <= 16384; mib += 256)); do
    if starts_under $((mib << 10)); then limit=$(((mib << 10) + headroom_kib)); break; fi
done
[[ -n $limit ]] || { echo "tavrill-text does not start under any limit up to 16 GiB: skipped"; exit 77; }

err=$(mktemp)
trap 'rm -f "$err"' EXIT
# uncomment holds an unclosed pair whole; sort, like the other whole-text verbs, holds every line.
for verb in uncomment sort; do
    { printf '{'; head -c $((16 << 30)) /dev/zero; } | (ulimit -v "$limit" && exec "${run[@]}" $verb) \
        > /dev/null 2> "$err"
    rc=${PIPESTATUS[1]}
    # Windows writes standard error in text mode: CR LF.
    if [[ $rc != 3 || $(tr -d '\r' < "$err") != "tavrill-text: out of memory" ]]; then
        echo "$verb under a limit of $limit KiB: exit code $rc (expected 3), standard error:"
        cat "$err"
        exit 1
    fi
done
