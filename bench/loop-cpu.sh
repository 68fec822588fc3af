#!/usr/bin/env bash
# What the real game costs while a fight goes on: starts it in a virtual X display, lets
# a random player press keys for SECONDS (default 20) of a match with the opponent
# active, and prints the processor share (all threads, from /proc), the resident memory
# and the loop's own figures (passes, presents, the longest pass and gap).
#   bench/loop-cpu.sh [SECONDS] [GAME OPTIONS...]     e.g. bench/loop-cpu.sh 20 --uncapped
# BRAWLER_BIN names another build of the game to measure (an older one, say).
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
shift || true
out="$(mktemp -d)"
source "$root/tests/e2e/xvfb.sh"
start_xvfb "$out" || exit 2
cd "$root"
BRAWLER_LOOP_FIGURES=1 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    "${BRAWLER_BIN:-$root/build/brawler}" "$@" >"$out/trace.txt" 2>"$out/stderr.txt" &
game=$!
for _ in $(seq 200); do
    xdotool search --name '^brawler$' >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 2 # the round's announcement
keys=(Left Right Up Down z x c Left Right)
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
start=$(ticks)
t0=$EPOCHREALTIME
while awk -v a="$EPOCHREALTIME" -v b="$t0" -v s="$seconds" 'BEGIN { exit !(a - b < s) }'; do
    k=${keys[RANDOM % ${#keys[@]}]}
    xdotool keydown "$k"
    sleep "0.0$((RANDOM % 9 + 1))"
    xdotool keyup "$k"
    sleep "0.$((RANDOM % 3))"
done
used=$(( $(ticks) - start ))
t1=$EPOCHREALTIME
rss=$(awk '/VmRSS/ {print $2}' "/proc/$game/status")
threads=$(awk '/Threads/ {print $2}' "/proc/$game/status")
xdotool key Escape
wait "$game"
kill "$xvfb" 2>/dev/null
hz=$(getconf CLK_TCK)
echo "options: ${*:-(none)}"
awk -v u="$used" -v hz="$hz" -v a="$t0" -v b="$t1" \
    'BEGIN { printf "cpu: %.1f %% of a core over %.1f s\n", 100 * u / hz / (b - a), b - a }'
echo "memory: $((rss / 1024)) MB resident, $threads threads"
grep '^loop:' "$out/trace.txt"
[ -n "${KEEP:-}" ] && echo "kept $out" || rm -rf "$out"
