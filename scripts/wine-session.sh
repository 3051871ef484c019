# Sourced: starts and stops what a Wine session needs: a virtual X display (unless one is given),
# a prepared prefix whose programs all run in one Wine virtual desktop, and one persistent
# wineserver. Call wine_session_start, then wine_session_stop (also from a trap).
# A prefix of its own, apart from the one the game is played in on a real display: this one is set
# up for a virtual desktop.
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix-session}
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

xvfb_pid=""

wine_session_start() {
    local desktop_size=${1:-1024x768}
    if [ -z "${RULVIO_USE_DISPLAY:-}" ]; then
        local n
        for n in $(seq 90 130); do
            if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
                break
            fi
        done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
    fi
    mkdir -p "$WINEPREFIX"
    # A server left from an earlier session of this prefix would refuse to let a new one start.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    # Helpers of a persistent wineserver inherit the output of the command that started them:
    # start them with nothing attached, so no reader of our output waits for them.
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot -i </dev/null >/dev/null 2>&1
    # One virtual desktop for every program: Wine manages the windows itself (activation, captions,
    # menus), and closing a window does not wait for a window manager.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop_size" /f </dev/null >/dev/null 2>&1
    # Pages and mail addresses the game hands to the shell go nowhere: no browser or mail program
    # ever starts from a test or a demo.
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d /bin/true /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Mailers /d /bin/true /f </dev/null >/dev/null 2>&1
    # Restart the server so the desktop setting holds from the first program on.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
