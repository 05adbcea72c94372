#!/usr/bin/env bash
# Checks the layout of the sources (clang-format-14), builds every preset and
# runs every test: the portable core's unit tests under ASan and UBSan, the Windows-side and end-to-end tests under Wine and Xvfb, a
# short fuzzing run, and the 32-bit build (linked only: this kernel cannot run
# 32-bit programs). Installs what is missing first. Ends with one summary line.
#
#   scripts/test.sh            everything
#   FUZZ_SECONDS=0 scripts/test.sh   skip the fuzzing run
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${FUZZ_SECONDS:-60}

log() { printf '\n=== %s\n' "$*"; }

bash scripts/install-deps.sh || { echo "Summary: 0 passed, 1 failed (could not install the build tools)"; exit 1; }

passed=0
failed=0
failures=()
flaky=()
# Adds up ctest's "N tests failed out of M" line.
count_ctest() {
    local name=$1 out=$2 line total bad
    line=$(grep -E 'tests? failed out of [0-9]+' "$out" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1)); failures+=("$name: no tests ran"); return
    fi
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
    [ "$bad" -gt 0 ] && failures+=("$name: $bad failed")
    # ctest lists the failed tests after "The following tests FAILED:"; name
    # them in the summary too, since a long log may be cut before that list.
    local t
    while read -r t; do failures+=("$name: $t"); done < <(
        sed -n '/The following tests FAILED:/,$p' "$out" | grep -E '^[[:space:]]+[0-9]+ - ' \
            | sed -E 's/^[[:space:]]+[0-9]+ - //')
    # A test that failed and then passed when run again is named apart.
    while read -r t; do flaky+=("$name: $t"); done < <(
        grep -E 'Test +#[0-9]+: .*\*\*\*' "$out" | sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*/\1/' | sort -u \
            | while read -r n; do grep -qE "Test +#[0-9]+: $n \.+ +Passed" "$out" && echo "$n"; done)
}
step() {  # a build step that must succeed; counts as one failure otherwise
    local name=$1; shift
    if ! "$@"; then failed=$((failed + 1)); failures+=("$name"); return 1; fi
}

log "format: the sources as .clang-format lays them out"
if find src tools tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 \
        | xargs -0 clang-format-14 --dry-run --Werror; then
    passed=$((passed + 1))
else
    failed=$((failed + 1)); failures+=("format (clang-format-14 -i on the files named above)")
fi

log "native: portable core and unit tests (ASan, UBSan)"
if step "native build" cmake --preset native >/dev/null && step "native build" cmake --build build/native -j "$jobs"; then
    ctest --test-dir build/native --output-on-failure -j "$jobs" 2>&1 | tee build/native-ctest.log
    count_ctest native build/native-ctest.log
fi

log "win64: tavrill.exe, sample editor, Windows-side and end-to-end tests under Wine"
if step "win64 build" cmake --preset win64 >/dev/null && step "win64 build" cmake --build build/win64 -j "$jobs"; then
    export WINEPREFIX="$root/build/win64/wineprefix" WINEDEBUG=-all
    # The first start of a new prefix takes a while; do it before any test is timed.
    [ -d "$WINEPREFIX" ] || xvfb-run -a wineboot --init >/dev/null 2>&1
    # One display for all: the end-to-end tests share it and run one at a time.
    # A test that fails is run once more: Wine's server now and then drops a
    # client that starts just as it goes idle. The summary names such tests.
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/win64 --output-on-failure \
        --repeat until-pass:2 2>&1 \
        | tee build/win64-ctest.log
    count_ctest win64 build/win64-ctest.log
    wineserver -k 2>/dev/null || true
    unset WINEPREFIX
fi

log "win32: the 32-bit build links"
step "win32 build" cmake --preset win32 >/dev/null && step "win32 build" cmake --build build/win32 -j "$jobs" \
    && passed=$((passed + 1))

log "packages: the release ZIPs in dist/"
step "packages" bash scripts/package.sh && passed=$((passed + 1))

if [ "$fuzz_seconds" -gt 0 ] && [ -x fuzz/run.sh ]; then
    log "fuzz: ${fuzz_seconds} s"
    if fuzz/run.sh "$fuzz_seconds"; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("fuzz"); fi
fi

echo
for f in "${flaky[@]}"; do echo "FAILED ONCE, PASSED WHEN RUN AGAIN: $f"; done
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
