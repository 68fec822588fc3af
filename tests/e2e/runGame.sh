#!/usr/bin/env bash
# Plays the real game in a virtual X display the way a person meets it: waits for the
# window to be titled "brawler" (it says "brawler (loading)" until the game is ready
# for input), then runs the steps given, with real key events, and records how it ended.
#   [BRAWLER_ARGS=...] runGame.sh <brawler binary> <working dir holding data/> <output dir> <step>...
# Steps:
#   sleep:S       wait S seconds
#   key:K         press and release key K (an xdotool key name: Right, Up, z, Escape)
#   hold:K:S      hold key K down for S seconds
#   shot:NAME     screenshot of the window into <output dir>/NAME.bmp
#   close:PROGRAM ask the window to close with PROGRAM <window id>, as a window manager
#                 does when its close button is clicked
#   destroy       destroy the window from another client (XDestroyWindow)
#   kill          close the game's link to the display (XKillClient), as xdotool windowkill
# After the steps it waits for the game to end (Escape or close among the steps).
# Writes <output dir>/stdout.txt, stderr.txt, audio.raw (the sound played, 16-bit
# stereo samples from SDL's disk audio driver) and exit (the exit code).
set -u
bin="$1"
workdir="$2"
out="$3"
shift 3
mkdir -p "$out"

source "$(dirname "$0")/xvfb.sh"
xvfb=""
game=""
cleanup() {
    [ -n "$game" ] && kill -KILL "$game" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
start_xvfb "$out" || exit 2

(cd "$workdir" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/audio.raw" \
    exec "$bin" ${BRAWLER_ARGS:-} >"$out/stdout.txt" 2>"$out/stderr.txt") &
game=$!

wid=""
for _ in $(seq 600); do
    wid="$(xdotool search --name '^brawler$' 2>/dev/null | head -n 1)"
    [ -n "$wid" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$wid" ]; then
    echo "no game window appeared" >&2
    wait "$game"
    echo "$?" >"$out/exit"
    game=""
    exit 3
fi
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null

for step in "$@"; do
    IFS=: read -r verb arg1 arg2 <<<"$step"
    case "$verb" in
    sleep) sleep "$arg1" ;;
    key) timeout 5 xdotool key "$arg1" ;;
    hold)
        timeout 5 xdotool keydown "$arg1"
        sleep "$arg2"
        timeout 5 xdotool keyup "$arg1"
        ;;
    shot)
        # A screenshot can stall on a busy machine; give it a few bounded tries.
        for _ in 1 2 3; do
            timeout 20 import -window "$wid" "BMP3:$out/$arg1.bmp" && break
        done
        ;;
    close) "$arg1" "$wid" ;;
    destroy) timeout 5 xdotool windowclose "$wid" ;;
    kill) timeout 5 xdotool windowkill "$wid" ;;
    *) echo "unknown step $step" >&2 ;;
    esac
done

for _ in $(seq 200); do
    kill -0 "$game" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$game" 2>/dev/null; then
    echo "the game did not end" >&2
    exit 4
fi
wait "$game"
echo "$?" >"$out/exit"
game=""
exit 0
