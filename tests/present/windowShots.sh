#!/usr/bin/env bash
# Plays the same fight script in a real X window (Xvfb) twice, once presenting only
# what changed and once flipping the whole screen, and screenshots the window after
# the last pass of each, while the runner holds it on show. The runner's clock is
# virtual, so both shots are of the same moment of the same fight.
#   windowShots.sh <brawler-run> <script> <output dir>
# Writes <output dir>/dirty.bmp and flip.bmp; non-zero when a shot could not be taken.
set -u
runner="$1"
script="$2"
out="$3"
mkdir -p "$out"

source "$(dirname "$0")/../e2e/xvfb.sh"
xvfb=""
run=""
cleanup() {
    [ -n "$run" ] && kill -KILL "$run" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
start_xvfb "$out" || exit 2

shoot() {
    local name="$1"
    shift
    SDL_VIDEODRIVER=x11 "$runner" --window --hold 60000 "$@" "$script" \
        >"$out/$name.txt" 2>"$out/$name.err" &
    run=$!
    # The summary is printed after the last pass has been presented.
    for _ in $(seq 1200); do
        grep -q "passes" "$out/$name.txt" 2>/dev/null && break
        kill -0 "$run" 2>/dev/null || break
        sleep 0.05
    done
    if ! grep -q "passes" "$out/$name.txt"; then
        echo "$name: the fight did not finish" >&2
        return 3
    fi
    local wid
    wid="$(xdotool search --name '^brawler$' 2>/dev/null | head -n 1)"
    if [ -z "$wid" ]; then
        echo "$name: no window" >&2
        return 3
    fi
    sleep 0.3
    for _ in 1 2 3; do
        timeout 20 import -window "$wid" "BMP3:$out/$name.bmp" && break
    done
    kill -KILL "$run" 2>/dev/null
    wait "$run" 2>/dev/null
    run=""
    [ -s "$out/$name.bmp" ]
}

shoot dirty || exit 3
shoot flip --flip || exit 3
exit 0
