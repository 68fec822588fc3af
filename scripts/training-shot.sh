#!/usr/bin/env bash
# Takes docs/training.png: the real game in a virtual display, played with real keys
# (walk in, jab, set the dummy to block, sweep and jab, the outlined boxes, block after
# hit, a kick caught landing). Timing is the real clock's: run it again if the kick
# was missed. Needs Xvfb, xdotool and ImageMagick, and a built build/brawler.
set -u
cd "$(dirname "$0")/.."
. tests/e2e/xvfb.sh
out="$(mktemp -d)"
start_xvfb "$out" || exit 2
SDL_AUDIODRIVER=dummy build/brawler --training --player Brawler --opponent Brawler \
    >"$out/trace" 2>&1 &
game=$!
wid=""
for _ in $(seq 100); do
    wid="$(xdotool search --name '^brawler$' 2>/dev/null | head -n 1)"
    [ -n "$wid" ] && break
    sleep 0.1
done
xdotool windowfocus --sync "$wid"
sleep 1.2
k() { xdotool key "$@"; sleep 0.12; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.1; }
hold Right 1.5
k z
sleep 0.6
k F6; k F6; k F6 # stand, crouch, jump, block
sleep 0.3
k Down; k x
sleep 0.8
k j # the box overlay
hold Right 0.3
k z
sleep 0.5
k F6 # block after hit
sleep 0.3
xdotool key x
sleep "${SHOT_DELAY:-0.05}"
import -window "$wid" "$out/shot.png"
k Escape
wait "$game"
kill "$xvfb"
cp "$out/shot.png" docs/training.png
grep '^training:\|^screen:' "$out/trace"
rm -rf "$out"
