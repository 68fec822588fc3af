#!/usr/bin/env bash
# Does the mixed sound clip? Starts the real game in a virtual X display with SDL's disk
# audio driver, lets a random player mash every button of a match (music on, as the
# game plays it) for SECONDS (default 60), and prints how many samples the device was
# handed at full scale (+32767 or -32768: the mixer saturated there), the loudest
# sample in dBFS and the game's resident memory at the end.
#   bench/clipping.sh [SECONDS] [GAME OPTIONS...]     e.g. bench/clipping.sh 40 --cpu 8
# BRAWLER_BIN names another build of the game to measure (an older one, say); KEEP=1
# keeps the folder with the recorded audio (audio.raw: 16-bit stereo at 44100 Hz).
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
out="$(mktemp -d)"
source "$root/tests/e2e/xvfb.sh"
start_xvfb "$out" || exit 2
cd "$root"
# Nine rounds, so the match is still on when the mashing stops: a finished match waits
# for Enter in silence and would measure nothing.
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/audio.raw" \
    "${BRAWLER_BIN:-$root/build/brawler}" --player Brawler --rounds 9 "$@" \
    >"$out/trace.txt" 2>"$out/stderr.txt" &
game=$!
for _ in $(seq 200); do
    xdotool search --name '^brawler$' >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 1.5 # the round's announcement
keys=(z x c z x c Left Right Up Down)
t0=$EPOCHREALTIME
while awk -v a="$EPOCHREALTIME" -v b="$t0" -v s="$seconds" 'BEGIN { exit !(a - b < s) }'; do
    # Often two at once, as a masher's fingers land: a move and a direction.
    k=${keys[RANDOM % ${#keys[@]}]}
    k2=${keys[RANDOM % ${#keys[@]}]}
    xdotool keydown "$k" keydown "$k2"
    sleep "0.0$((RANDOM % 6 + 2))"
    xdotool keyup "$k2" keyup "$k"
done
rss=$(awk '/VmRSS/ {print $2}' "/proc/$game/status")
xdotool key Escape
wait "$game"
kill "$xvfb" 2>/dev/null
echo "options: --player Brawler --rounds 9 ${*}"
echo "played: $seconds s of mashing, $(grep -c '^Have Move' "$out/trace.txt") moves started"
od -An -v -td2 -w2 "$out/audio.raw" | awk '
    { v = $1 + 0; if (v == 32767 || v == -32768) full++; a = v < 0 ? -v : v; if (a > peak) peak = a; n++ }
    END {
        printf "samples: %d (%.1f s of stereo at 44100 Hz)\n", n, n / 88200
        printf "full scale: %d samples\n", full
        if (peak > 0) printf "peak: %.2f dBFS (%d)\n", 20 * log(peak / 32768) / log(10), peak
        else print "peak: silence"
    }'
echo "memory: $((rss / 1024)) MB resident at the end"
grep -i 'music\|warning' "$out/stderr.txt" | head -n 5
[ -n "${KEEP:-}" ] && echo "kept $out" || rm -rf "$out"
