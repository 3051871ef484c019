#!/usr/bin/env bash
# Sets everything up, builds the 64-bit game and starts it under Wine on your display.
# On a machine without a display it plays one round by itself in a virtual display instead and
# saves screenshots of the start, the hold phase and the end of the round.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
RULVIO_BUILD_DIR= RULVIO_TARGETS="rulvio locate" "$root/scripts/build.sh" x86_64
exe="$root/build/x86_64/app/rulvio.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    source "$root/scripts/wine-env.sh"
    exec wine "$exe"
fi

# No display: a virtual one, one round played with real clicks, and pictures of it.
shots=${RULVIO_SCREENSHOTS:-$root/build/screenshots}
mkdir -p "$shots"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start 800x600
locate="$root/build/x86_64/tools/locate.exe"

# Screen point of the middle of the game's control with this text, once it is there.
where() {
    local point
    for _ in $(seq 1 100); do
        if point=$(wine "$locate" "$1" 2>/dev/null </dev/null | tr -d "\r") && [ -n "$point" ]; then
            echo "$point"
            return 0
        fi
        sleep 0.3
    done
    echo "The game shows no \"$1\"" >&2
    return 1
}
click() {
    local point
    point=$(where "$1")
    xdotool mousemove $point click 1
}
shot() {
    import -window root -crop 800x600+0+0 "$shots/$1.png"
    echo "  $shots/$1.png"
}
wait_for() {
    where "$1" >/dev/null
}

wine "$exe" </dev/null >/dev/null 2>&1 &
game=$!
wait_for "GIOCA"
sleep 1
echo "Rulvio is running in a virtual display; screenshots:"
shot 1-start
click "GIOCA"
sleep 16
if wine "$locate" "Rilancia" >/dev/null 2>&1 </dev/null; then
    shot 2-hold-phase
    click "Rilancia"
    sleep 16
fi
wait_for "GIOCA"
sleep 1
shot 3-end-of-round
click "Chiudi"
sleep 1
xdotool key Return   # "Vuoi realmente uscire?": Yes
wait "$game"
echo "The round was played and the game closed; the pictures are in $shots"
