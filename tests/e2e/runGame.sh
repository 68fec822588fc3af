#!/usr/bin/env bash
# Plays the real game in a virtual X display the way a person meets it: waits for the
# window, takes a screenshot, presses Escape and records how the process ended.
#   runGame.sh <brawler binary> <working dir holding data/> <output dir> [seconds before shot]
# Writes <output dir>/stdout.txt, stderr.txt, screen.bmp and exit (the exit code).
set -u
bin="$1"
workdir="$2"
out="$3"
settle="${4:-1.5}"
mkdir -p "$out"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
game=""
cleanup() {
    [ -n "$game" ] && kill -KILL "$game" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

for _ in $(seq 100); do
    [ -s "$out/display" ] && break
    sleep 0.05
done
if [ ! -s "$out/display" ]; then
    echo "Xvfb did not start" >&2
    exit 2
fi
export DISPLAY=":$(tr -d '\n' <"$out/display")"

# SDL unloads the X libraries it opened at quit, so their allocations cannot be told
# apart from ours here; leaks are checked by the unit suite instead.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
(cd "$workdir" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$bin" >"$out/stdout.txt" 2>"$out/stderr.txt") &
game=$!

wid=""
for _ in $(seq 200); do
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

sleep "$settle"
# A screenshot can stall on a busy machine; give it a few bounded tries.
for _ in 1 2 3; do
    timeout 20 import -window "$wid" "BMP3:$out/screen.bmp" && break
done
timeout 5 xdotool windowfocus "$wid" 2>/dev/null
timeout 5 xdotool key --window "$wid" Escape

for _ in $(seq 200); do
    kill -0 "$game" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$game" 2>/dev/null; then
    echo "the game did not end after Escape" >&2
    exit 4
fi
wait "$game"
echo "$?" >"$out/exit"
game=""
exit 0
