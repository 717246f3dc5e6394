#!/usr/bin/env bash
# Pictures of the five settings tabs, the hotkey dialog, the two condition
# lists, both condition dialogs, the message for a pattern that does not
# compile and the window picker over real windows, at 96 and 144 DPI, taken on the build tree's Wine desktop and
# written to docs/.
#   tests/app/settings/take-screenshots.sh <build tree>
# At 144 DPI the sheet is taller than the tests' 1024x768 desktop, so the
# tree's Xvfb and Wine desktop are restarted larger for those pictures and put
# back afterwards: run it only while no test uses that tree.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
BUILD="$(cd "${1:?build tree}" && pwd)"
TOOL="$BUILD/bin/settings_screenshots.exe"
CONDITIONS_TOOL="$BUILD/bin/condition_list_screenshots.exe"
cmake --build "$BUILD" --target settings_screenshots condition_list_screenshots
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# Wine's 64-bit loader only, where dev.sh found a kernel that runs no 32-bit programs.
if [ -d "$BUILD/wine64-only" ]; then
    export PATH="$BUILD/wine64-only:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
DISPLAY="$(cat "$BUILD/wine-display")"
export DISPLAY
OUT="$(mktemp -d)"

set_value() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1; }

# Xvfb and the Wine desktop at the given size, as dev.sh starts them. The size
# is set first: any wine start brings the desktop up with the size it reads then.
restart_desktop() {
    set_value 'HKCU\Software\Wine\Explorer\Desktops' shell REG_SZ "$1"
    wineserver -k 2>/dev/null || true
    if [ -f "$BUILD/xvfb.pid" ]; then
        kill "$(cat "$BUILD/xvfb.pid")" 2>/dev/null || true
        while xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
    fi
    # Its own session, so it outlives this script as dev.sh's does.
    setsid Xvfb "$DISPLAY" -screen 0 "${1}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$BUILD/xvfb.pid"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine rundll32.exe </dev/null >/dev/null 2>&1 || true
}

# The condition tool names each window and waits while the screen is photographed.
shoot_conditions() {
    coproc SHOTS { wine "$CONDITIONS_TOOL" "$1" 2>/dev/null; }
    local pid=$SHOTS_PID kind name left top right bottom
    while read -r kind name left top right bottom <&"${SHOTS[0]}"; do
        [ "$kind" = SHOT ] || continue
        bottom="${bottom%$'\r'}"
        xwd -display "$DISPLAY" -root | convert xwd:- -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
            "$ROOT/docs/$name.png"
        echo >&"${SHOTS[1]}"
    done
    wait "$pid"
}

finish() {
    set_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 96
    restart_desktop 1024x768
    rm -rf "$OUT"
}
trap finish EXIT

set_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 96
wine "$TOOL" "$(winepath -w "$OUT")" -96
shoot_conditions -96
restart_desktop 1600x1200
set_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 144
wine "$TOOL" "$(winepath -w "$OUT")" -144
shoot_conditions -144

for bmp in "$OUT"/*.bmp; do
    convert "$bmp" "$ROOT/docs/$(basename "${bmp%.bmp}").png"
done
ls "$ROOT"/docs/settings-*.png "$ROOT"/docs/condition-*.png "$ROOT"/docs/exclusion-*.png "$ROOT"/docs/pick-window-*.png
