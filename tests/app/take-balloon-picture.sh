#!/usr/bin/env bash
# docs/balloon-long.png: the switch balloon for a program with a long path and
# a long window title, taken on the build tree's Wine desktop.
#   tests/app/take-balloon-picture.sh <build tree>
# Run it after ./dev.sh setup (or test) prepared that tree, while no test uses it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$(cd "${1:?build tree}" && pwd)"
cmake --build "$BUILD" --target balloon_picture
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ -d "$BUILD/wine64-only" ]; then
    export PATH="$BUILD/wine64-only:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
DISPLAY="$(cat "$BUILD/wine-display")"
export DISPLAY
coproc SHOT { wine "$BUILD/bin/balloon_picture.exe" 2>/dev/null; }
pid=$SHOT_PID
while IFS= read -r line <&"${SHOT[0]}"; do
    line="${line%$'\r'}"
    read -r kind left top right bottom <<<"$line" || true
    if [ "$kind" = SHOT ]; then
        xwd -display "$DISPLAY" -root | convert xwd:- -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
            "$ROOT/docs/balloon-long.png"
        echo "docs/balloon-long.png"
        echo >&"${SHOT[1]}"
    else
        echo "$line"
    fi
done
wait "$pid"
