#!/usr/bin/env bash
# tolv developer entry point.
#   ./dev.sh run    install what is missing, build, start tolv.exe under Wine
#   ./dev.sh test   install what is missing, build everything, run every test
#   ./dev.sh setup  only install packages and prepare the Wine prefix
#   ./dev.sh bench  build and print the switching engine's and the settings file's timings
#   ./dev.sh dist   build the release zip dist/tolv-1.06-win64.zip
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${TOLV_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
XVFB_DISPLAY="${TOLV_XVFB_DISPLAY:-:91}"

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 wine32:i386 xvfb xauth x11-apps x11-utils xdotool imagemagick
          fonts-noto-cjk locales libboost1.81-dev googletest zip)

log() { printf '[dev.sh] %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing: ${missing[*]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        as_root apt-get update -qq
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        log "generating the ja_JP.UTF-8 locale"
        as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" -j2
}

start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    export DISPLAY=$XVFB_DISPLAY
    if ! xdpyinfo >/dev/null 2>&1; then
        log "starting Xvfb on $DISPLAY"
        Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo $! >"$BUILD/xvfb.pid"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
}

prepare_prefix() {
    mkdir -p "$BUILD"
    if [ ! -f "$WINEPREFIX/.tolv-ready" ]; then
        log "creating the Wine prefix in $WINEPREFIX (about 15 s)"
        wineserver -k 2>/dev/null || true
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
        wine regedit /S "$(winepath -w "$ROOT/cmake/wine-prefix.reg" 2>/dev/null)" >/dev/null 2>&1
        wineserver -w
        # Web pages the program opens are written down for the tests, not shown.
        cat >"$BUILD/record-opened-url" <<SCRIPT
#!/bin/sh
echo "\$1" >>"$BUILD/opened-urls.txt"
SCRIPT
        chmod +x "$BUILD/record-opened-url"
        wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$BUILD/record-opened-url" /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tolv-ready"
    fi
    # One persistent server for the whole run: every wine start after this is cheap.
    wineserver -p 2>/dev/null || true
    echo "$DISPLAY" >"$BUILD/wine-display"
    # Bring services and the desktop up now, detached from our output: started by
    # the first test instead, they would hold CTest's pipes open until the end.
    wine rundll32.exe >/dev/null 2>&1 || true
}

stop_session() {
    wineserver -k 2>/dev/null || true
    if [ -f "$BUILD/xvfb.pid" ]; then
        kill "$(cat "$BUILD/xvfb.pid")" 2>/dev/null || true
        rm -f "$BUILD/xvfb.pid"
    fi
}

screenshot() {
    mkdir -p "$BUILD/screenshots"
    local file="$BUILD/screenshots/$1.png"
    xwd -root -silent | convert xwd:- "$file"
    log "screenshot: $file"
}

cmd="${1:-}"
case "$cmd" in
    setup)
        install_packages
        mkdir -p "$BUILD"
        start_display
        prepare_prefix
        ;;
    test)
        install_packages
        build
        start_display
        prepare_prefix
        trap stop_session EXIT
        status=0
        (cd "$BUILD" && ctest --output-on-failure -j2 --timeout 120) || status=$?
        exit $status
        ;;
    run)
        install_packages
        build
        start_display
        prepare_prefix
        log "starting tolv.exe on display $DISPLAY (stop it from the tray menu or with Ctrl+C)"
        wine "$BUILD/bin/tolv.exe" &
        pid=$!
        sleep 6
        screenshot tolv-running
        log "look at it: display $DISPLAY (for example: xwd -display $DISPLAY -root | convert xwd:- shot.png)"
        wait $pid || true
        stop_session
        ;;
    bench)
        install_packages
        build
        start_display
        prepare_prefix
        trap stop_session EXIT
        "$BUILD/wine-run" "$BUILD/bin/engine_bench.exe"
        "$BUILD/wine-run" "$BUILD/bin/settings_bench.exe"
        ;;
    dist)
        install_packages
        build
        out="$ROOT/dist"
        stage="$BUILD/dist/tolv-1.06-win64"
        rm -rf "$stage" && mkdir -p "$stage" "$out"
        cp "$BUILD/bin/tolv.exe" "$stage/"
        # Windows users read these in Notepad: CRLF line ends.
        sed 's/$/\r/' "$ROOT/docs/user-readme.txt" >"$stage/readme.txt"
        sed 's/$/\r/' "$ROOT/LICENSE" >"$stage/LICENSE.txt"
        rm -f "$out/tolv-1.06-win64.zip"
        (cd "$BUILD/dist" && zip -qr "$out/tolv-1.06-win64.zip" tolv-1.06-win64)
        log "release: $out/tolv-1.06-win64.zip"
        ;;
    *)
        echo "usage: $0 run|test|setup|bench|dist" >&2
        exit 2
        ;;
esac
