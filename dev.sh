#!/usr/bin/env bash
# tolv developer entry point.
#   ./dev.sh demo   install what is missing, build, show tolv switching between two windows
#   ./dev.sh run    install what is missing, build, start tolv.exe under Wine
#   ./dev.sh test   install what is missing, build everything, run every test
#   ./dev.sh setup  only install packages and prepare the Wine prefix
#   ./dev.sh bench  build and print the switching engine's and the settings file's timings
#   ./dev.sh dist   build the release zip dist/tolv-<version>-win64.zip (version: CMakeLists.txt)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${TOLV_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
XVFB_DISPLAY="${TOLV_XVFB_DISPLAY:-:91}"

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 wine32:i386 xvfb xauth x11-apps x11-utils xdotool imagemagick x11vnc
          fonts-noto-cjk fonts-wine locales googletest zip)

log() { printf '[dev.sh] %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Boost is used header-only, which Regex allows from 1.76 on; Debian ships it as versioned
# packages (libboost1.81-dev on Debian 12), while plain libboost-dev may be older.
boost_installed() {
    dpkg-query -W -f='${Package} ${Status}\n' 'libboost1.*-dev' 2>/dev/null |
        grep 'install ok installed' | grep -qE '^libboost1\.(7[6-9]|[89][0-9]|[1-9][0-9]{2})-dev '
}

newest_boost_package() {
    apt-cache pkgnames libboost1. 2>/dev/null | grep -E '^libboost1\.[0-9]+-dev$' |
        awk -F'[.-]' '$2 >= 76 { print $2, $0 }' | sort -n | tail -n 1 | cut -d' ' -f2
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        installed "$p" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ] || ! boost_installed; then
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        as_root apt-get update -qq
        if ! boost_installed; then
            local boost
            boost=$(newest_boost_package)
            [ -n "$boost" ] || { log "no libboost1.NN-dev (NN >= 76) in the package lists"; exit 1; }
            missing+=("$boost")
        fi
        log "installing: ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        log "generating the ja_JP.UTF-8 locale"
        as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
    # Only now: naming a locale that does not exist yet makes bash, perl and apt warn on every start.
    if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        # This shell still holds the locale archive as it was before locale-gen and
        # warns that it cannot switch; the programs it starts load the new one.
        { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
    else
        log "the ja_JP.UTF-8 locale is missing: Wine will run with an English locale and code page"
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" -j2
}

# Debian's wine scripts start the 32-bit loader whenever wine32 is installed, but a kernel
# without 32-bit support (ia32_emulation off) cannot run it: then every wine command of
# this script goes to the 64-bit loader, and the tests skip their 32-bit process cases.
choose_wine_loader() {
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
        local shims="$BUILD/wine64-only"
        mkdir -p "$shims"
        for name in wine wine-stable; do
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$name"
            chmod +x "$shims/$name"
        done
        export PATH="$shims:$PATH" WINELOADER=/usr/lib/wine/wine64
        log "this kernel runs no 32-bit programs: using Wine's 64-bit loader only"
    fi
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
    # The marker holds the checksum of the prefix settings it was prepared with, so a
    # change to cmake/wine-prefix.reg prepares the prefix again.
    local settings
    settings=$(sha256sum "$ROOT/cmake/wine-prefix.reg" | cut -d' ' -f1)
    if [ "$(cat "$WINEPREFIX/.tolv-ready" 2>/dev/null)" != "$settings" ]; then
        wineserver -k 2>/dev/null || true
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            log "creating the Wine prefix in $WINEPREFIX (about 15 s)"
            WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
            wineserver -w
        fi
        log "applying cmake/wine-prefix.reg to the Wine prefix"
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
        echo "$settings" >"$WINEPREFIX/.tolv-ready"
    fi
    # Wine 8 draws caption buttons with Marlett but does not look in fonts-wine's folder.
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        ln -s /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    fi
    # One persistent server for the whole run: every wine start after this is cheap.
    wineserver -p 2>/dev/null || true
    echo "$DISPLAY" >"$BUILD/wine-display"
    hold_desktop
    # Bring services and the desktop up now, detached from our output: started by
    # the first test instead, they would hold CTest's pipes open until the end.
    wine rundll32.exe >/dev/null 2>&1 || true
}

# Wine ends its desktop a second or two after its last program exits, and the next
# test to start it again hands the desktop its own output: CTest then counts that
# test as running until the desktop ends once more, up to the time-out. A quiet
# program, detached from every pipe, keeps the desktop up until stop_session.
hold_desktop() {
    local pidfile="$BUILD/desktop-keeper.pid"
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then
        return
    fi
    setsid wine ping -n 1000000 127.0.0.1 </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
}

stop_session() {
    wineserver -k 2>/dev/null || true
    rm -f "$BUILD/desktop-keeper.pid"
    if [ -f "$BUILD/xvfb.pid" ]; then
        kill "$(cat "$BUILD/xvfb.pid")" 2>/dev/null || true
        rm -f "$BUILD/xvfb.pid"
    fi
}

# Nobody can see Xvfb: share it over VNC, on this machine's loopback only.
start_vnc() {
    local vnclog="$BUILD/x11vnc.log"
    rm -f "$vnclog"
    x11vnc -display "$DISPLAY" -localhost -nopw -forever -shared -quiet -bg -o "$vnclog" >"$BUILD/x11vnc.out" 2>&1
    local port
    port="$(sed -n 's/^PORT=//p' "$BUILD/x11vnc.out" | head -n 1)"
    log "VNC server on localhost:${port:-5900} (display $DISPLAY); from another machine:"
    log "  ssh -L ${port:-5900}:localhost:${port:-5900} $(hostname)   then point a VNC viewer at localhost:${port:-5900}"
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
        choose_wine_loader
        prepare_prefix
        ;;
    test)
        install_packages
        build
        start_display
        choose_wine_loader
        prepare_prefix
        trap stop_session EXIT
        status=0
        (cd "$BUILD" && ctest --output-on-failure -j2 --timeout 120) || status=$?
        exit $status
        ;;
    demo)
        install_packages
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
              -DCMAKE_BUILD_TYPE=Release >/dev/null
        log "building tolv.exe and the demo windows (the first time takes a few minutes)"
        cmake --build "$BUILD" -j2 --target tolv tolv_demo >/dev/null
        start_display
        choose_wine_loader
        prepare_prefix
        trap stop_session EXIT
        picture="$BUILD/demo-desktop.png"
        # The demo says "SHOT" when the switch balloon is up and waits for a line back.
        coproc DEMO { wine "$BUILD/bin/tolv_demo.exe" 2>/dev/null; }
        demo_pid=$DEMO_PID
        while IFS= read -r line <&"${DEMO[0]}"; do
            line="${line%$'\r'}"
            if [ "$line" = SHOT ]; then
                xwd -root -silent | convert xwd:- "$picture"
                echo "picture of the desktop with the switch balloon: $picture"
                echo >&"${DEMO[1]}"
            else
                echo "$line"
            fi
        done
        status=0
        wait "$demo_pid" || status=$?
        exit $status
        ;;
    run)
        install_packages
        build
        start_display
        choose_wine_loader
        prepare_prefix
        if [ -f "$BUILD/xvfb.pid" ]; then
            start_vnc
        fi
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
        choose_wine_loader
        prepare_prefix
        cmake --build "$BUILD" -j2 --target engine_bench settings_bench
        trap stop_session EXIT
        "$BUILD/wine-run" "$BUILD/bin/engine_bench.exe"
        "$BUILD/wine-run" "$BUILD/bin/settings_bench.exe"
        ;;
    dist)
        install_packages
        build
        out="$ROOT/dist"
        name="tolv-$(cat "$BUILD/release/version")-win64"
        stage="$BUILD/dist/$name"
        rm -rf "$stage" && mkdir -p "$stage" "$out"
        cp "$BUILD/bin/tolv.exe" "$BUILD/release/readme.txt" "$stage/"
        # Windows users read these in Notepad: CRLF line ends.
        sed 's/$/\r/' "$ROOT/LICENSE" >"$stage/LICENSE.txt"
        rm -f "$out/$name.zip"
        (cd "$BUILD/dist" && zip -qr "$out/$name.zip" "$name")
        log "release: $out/$name.zip"
        ;;
    *)
        echo "usage: $0 demo|run|test|setup|bench|dist" >&2
        exit 2
        ;;
esac
