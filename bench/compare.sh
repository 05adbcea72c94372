#!/usr/bin/env bash
# Times tavrill-text against the classic one-liners on the same Object Pascal file (64 MiB of CR LF
# source by default) and prints how many times faster tavrill-text is. Best of three runs each,
# input from the file, output to /dev/null. The last column is tavrill-text's peak memory (maximum
# resident set size, from one more run under /usr/bin/time).
#
#   bench/compare.sh [path/to/tavrill-text] [size in MiB]
#
# Build tavrill-text optimised first: cmake --preset bench -B build/h-text-bench &&
# cmake --build build/h-text-bench -j2 --target tavrill-text
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/h-text-bench/bin/tavrill-text}
mib=${2:-64}
[[ -x $tool ]] || { echo "compare.sh: no tavrill-text at $tool" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/unit.pas

# One MiB of plausible source, repeated.
awk 'BEGIN {
    while (size < 1048576) {
        n++
        s = sprintf("procedure TForm1.Button%dClick(Sender: TObject);\r\nvar\r\n  i, Count%d: Integer;\r\nbegin\r\n" \
            "  // walk the items and total them up\r\n  for i := 0 to ListBox1.Items.Count - 1 do\r\n  begin\r\n" \
            "    if ListBox1.Selected[i] then Inc(Count%d);\r\n    Label%d.Caption := '\''Selected: '\'' + IntToStr(Count%d);\r\n" \
            "  end;\r\n  { remember the last choice }\r\n\r\n  ShowMessage(Format('\''%%d items'\'', [Count%d]));\r\nend;\r\n\r\n",
            n % 97, n % 89, n % 83, n % 97, n % 89, n % 83)
        printf "%s", s
        size += length(s)
    }
}' > "$work/chunk"
for ((i = 0; i < mib; i++)); do cat "$work/chunk"; done | head -c $((mib << 20)) > "$src"
"$tool" comment-slash < "$src" > "$work/commented.pas"
"$tool" indent 2 < "$src" > "$work/indented.pas"
"$tool" comment-brace < "$src" > "$work/braced.pas"
"$tool" quote < "$src" > "$work/quoted.pas"
# The same source indented with tabs and with blanks left at the ends of its lines.
sed 's/^  /\t/; s/^\t  /\t\t/; s/\r$/  \r/' < "$src" > "$work/tabbed.pas"

# Best wall-clock time of three runs, in seconds.
best() {
    local input=$1; shift
    local best=""
    for _ in 1 2 3; do
        local t0 t1
        t0=$(date +%s.%N)
        "$@" < "$input" > /dev/null || [[ $? == 1 ]]
        t1=$(date +%s.%N)
        best=$(echo "$t0 $t1 $best" | awk '{ d = $2 - $1; if ($3 == "" || d < $3) d = d; else d = $3; printf "%.4f", d }')
    done
    echo "$best"
}

# Peak resident memory of one run, in MiB.
peak_mib() {
    local input=$1; shift
    /usr/bin/time -f %M -o "$work/rss" "$@" < "$input" > /dev/null || [[ $? == 1 ]]
    awk '{ printf "%.1f", $1 / 1024 }' "$work/rss"
}

printf '%-28s %-30s %9s %9s %7s %7s %9s\n' "tavrill-text" "reference" "ours (s)" "ref (s)" "ratio" "MB/s" "peak MiB"
compare() {  # label input reference-command... -- tavrill-text arguments...
    local label=$1 input=$2; shift 2
    local ref=() ours=()
    while [[ $1 != -- ]]; do ref+=("$1"); shift; done
    shift
    ours=("$@")
    local t_ours t_ref
    t_ours=$(best "$input" "$tool" "${ours[@]}")
    t_ref=$(best "$input" "${ref[@]}")
    local size
    size=$(stat -c %s "$input")
    printf '%-28s %-30s %9s %9s %6.1fx %7.0f %9s\n' "${ours[*]}" "$label" "$t_ours" "$t_ref" \
        "$(echo "$t_ref $t_ours" | awk '{ print $1 / $2 }')" "$(echo "$size $t_ours" | awk '{ print $1 / $2 / 1e6 }')" \
        "$(peak_mib "$input" "$tool" "${ours[@]}")"
}

compare "tr a-z A-Z" "$src" tr a-z A-Z -- upper
compare "tr A-Z a-z" "$src" tr A-Z a-z -- lower
compare "tr a-zA-Z A-Za-z" "$src" tr a-zA-Z A-Za-z -- flip
compare "tr a-z A-Z (no equivalent)" "$src" tr a-z A-Z -- title
compare "sed 's|^|//|'" "$src" sed 's|^|//|' -- comment-slash
compare "sed 's|^//||' (source)" "$src" sed 's|^//||' -- uncomment
compare "sed 's|^//||' (all lines //)" "$work/commented.pas" sed 's|^//||' -- uncomment
compare "sed 's|^//||' ({ source })" "$work/braced.pas" sed 's|^//||' -- uncomment
compare "sed 's/^/  /'" "$src" sed 's/^/  /' -- indent 2
compare "sed 's/^ \{1,2\}//'" "$work/indented.pas" sed 's/^ \{1,2\}//' -- unindent 2
compare "tr a-z A-Z (no equivalent)" "$src" tr a-z A-Z -- sentence
compare "sed 's|^|//|'" "$src" sed 's|^|//|' -- toggle-comment
compare "sort -f" "$src" sort -f -- sort
compare "LC_ALL=C sort -f -s" "$src" env LC_ALL=C sort -f -s -- sort
compare "LC_ALL=C sort -f -s -r" "$src" env LC_ALL=C sort -f -s -r -- sort --reverse
compare "sed 's/:=/:=/' (none)" "$src" sed 's/:=/:=/' -- align
compare "sed -E (swap around :=)" "$src" sed -E 's/^( *)([^ ]+) := ([^;]*);/\1\3 := \2;/' -- reverse
compare "sed (quote lines)" "$src" sed "s/'/''/g; s/^/'/; s/\r\$/'#13#10 +\r/" -- quote
compare "sed 's/[ \t]*\$//'" "$work/tabbed.pas" sed 's/[ \t]*$//' -- trim
compare "expand" "$work/tabbed.pas" expand -- untabify
compare "sed (unquote lines)" "$work/quoted.pas" sed "s/^'//; s/'#13#10 +\r\$/\r/; s/''/'/g" -- unquote

# The same bytes as the reference where the rules agree.
cmp -s <("$tool" upper < "$src") <(tr a-z A-Z < "$src") || echo "upper differs from tr" >&2
cmp -s <("$tool" comment-slash < "$src") <(sed 's|^|//|' < "$src") || echo "comment-slash differs from sed" >&2
cmp -s <("$tool" indent 2 < "$src") <(sed 's/^/  /' < "$src") || echo "indent 2 differs from sed" >&2
# (on the one-megabyte piece, which ends with a whole line, as sort adds a final line break)
cmp -s <("$tool" sort < "$work/chunk") <(LC_ALL=C sort -f -s < "$work/chunk") || echo "sort differs from sort -f -s" >&2
