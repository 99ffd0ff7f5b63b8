#!/usr/bin/env bash
# Starts or stops the Wine session that the windows tests share: a private
# prefix inside the build tree (created once), an Xvfb display and one
# persistent wineserver for the whole run.
#   wine-env.sh start BUILD_DIR | stop BUILD_DIR
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
session=$build/wine-session
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEARCH=win64

stop_session() {
    if [ -f "$session" ]; then
        # shellcheck disable=SC1090
        . "$session"
        wineserver -k 2>/dev/null || true
        kill "$XVFB_PID" 2>/dev/null || true
        rm -f "$session"
    fi
}

case $action in
start)
    stop_session
    for n in $(seq 91 150); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
    done
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X${display#:}" ] && break
        sleep 0.1
    done
    printf 'export DISPLAY=%s\nXVFB_PID=%s\n' "$display" "$xvfb_pid" >"$session"
    export DISPLAY=$display
    if [ ! -f "$WINEPREFIX/.tolvex-ready" ]; then
        rm -rf "$WINEPREFIX"
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
        # A virtual desktop spares the 2 s wait Wine makes when it hides a
        # window without a window manager; crashes end instead of asking.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Shortcuts an installer makes stay inside the prefix, not the user's desktop menus.
        wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tolvex-ready"
    fi
    wineserver -p >/dev/null 2>&1 </dev/null
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
