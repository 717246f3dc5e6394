#!/usr/bin/env bash
# Pictures of the two condition list pages and both condition dialogs,
# photographed off the build tree's Xvfb screen into docs/.
#   tests/app/settings/take-condition-screenshots.sh <build tree>
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
BUILD="$(cd "${1:?build tree}" && pwd)"
cmake --build "$BUILD" --target condition_list_screenshots
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
DISPLAY="$(cat "$BUILD/wine-display")"
export DISPLAY

coproc SHOTS { wine "$BUILD/bin/condition_list_screenshots.exe" 2>/dev/null; }
pid=$SHOTS_PID
while read -r kind name left top right bottom <&"${SHOTS[0]}"; do
    [ "$kind" = SHOT ] || continue
    bottom="${bottom%$'\r'}"
    xwd -display "$DISPLAY" -root | convert xwd:- -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
        "$ROOT/docs/$name.png"
    echo "$ROOT/docs/$name.png"
    echo >&"${SHOTS[1]}"
done
wait "$pid"
