#!/usr/bin/env bash
# Builds the tool bar and the sample editor and starts them side by side.
#  - On a desktop (DISPLAY set): the sample editor opens a short Object Pascal
#    unit and the tool bar floats beside it; select code in the editor and use
#    the tool bar's buttons. Close the tool bar (Exit) to end.
#  - Without a display: plays a short scripted session under Xvfb (select a
#    line, Title Case), prints the text before and after, and writes a
#    screenshot of the tool bar and the editor to build/demo/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" != "--scripted-session" ]; then
    bash scripts/install-deps.sh
    cmake --preset win64 >/dev/null
    cmake --build build/win64 -j "$(nproc 2>/dev/null || echo 2)" --target tavrill tavrill_help sample-editor tavrill_demo
fi

export WINEPREFIX="$root/build/win64/wineprefix-demo" WINEDEBUG=-all
demo="$root/build/demo"
mkdir -p "$demo"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--scripted-session" ]; then
    # A program folder of its own, as a user would unpack it.
    cp build/win64/bin/tavrill.exe build/win64/bin/tav_help.html "$demo/"
    cp tools/sample-editor/Sample.pas "$demo/Unit1.pas"
    echo "Starting the sample editor and the tool bar (first start of Wine takes a few seconds)..."
    (cd "$demo" && wine "$root/build/win64/bin/sample-editor.exe" Unit1.pas) &
    sleep 2
    cd "$demo" && wine ./tavrill.exe
    wineserver -k 2>/dev/null || true
    exit 0
fi

shot="$demo/screenshot.png"
if [ "${1:-}" = "--scripted-session" ]; then
    # Inside Xvfb: play the session and take the screenshot when it says so.
    [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
    set +e
    wine "$root/build/win64/bin/tavrill_demo.exe" | while IFS= read -r line; do
        line=${line%$'\r'}
        if [ "$line" = "SCREENSHOT" ]; then
            sleep 1
            import -display "$DISPLAY" -window root -crop 900x620+0+0 "$shot"
        else
            printf '%s\n' "$line"
        fi
    done
    status=${PIPESTATUS[0]}
    wineserver -k 2>/dev/null
    exit "$status"
fi
rm -f "$shot"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --scripted-session
[ -f "$shot" ] && echo "Screenshot: $shot"
