#!/usr/bin/env bash
# What the front end costs: the time from starting the game to its title on screen (the
# window says "brawler" once the title is drawn), the median of RUNS starts (default 5);
# then, in one more run, the processor share and resident memory while the title shows
# for SECONDS and the main menu for SECONDS more (default 10), the cursor moved now and
# then as a player reading it would.
#   bench/menu-figures.sh [RUNS] [SECONDS]
# BRAWLER_BIN names another build of the game to measure.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-5}"
seconds="${2:-10}"
out="$(mktemp -d)"
source "$root/tests/e2e/xvfb.sh"
start_xvfb "$out" || exit 2
cd "$root"
export XDG_DATA_HOME="$out/xdg" XDG_CONFIG_HOME="$out/xdg"
start_game() {
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" \
        "${BRAWLER_BIN:-$root/build/brawler}" >"$out/trace.txt" 2>"$out/stderr.txt" &
    game=$!
}
wait_title() {
    for _ in $(seq 2000); do
        xdotool search --name '^brawler$' >/dev/null 2>&1 && return 0
        sleep 0.002
    done
    return 1
}
times=()
for _ in $(seq "$runs"); do
    t0=$EPOCHREALTIME
    start_game
    wait_title || { echo "no title appeared" >&2; exit 1; }
    t1=$EPOCHREALTIME
    times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')")
    kill "$game"
    wait "$game" 2>/dev/null
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "start-up to the title: median $median s of ${times[*]}"
start_game
wait_title
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
share() {
    local used=$(( $(ticks) - $1 ))
    awk -v u="$used" -v hz="$hz" -v a="$2" -v b="$EPOCHREALTIME" -v what="$3" \
        'BEGIN { printf "%s: %.1f %% of a core over %.1f s\n", what, 100 * u / hz / (b - a), b - a }'
}
start=$(ticks)
t0=$EPOCHREALTIME
sleep "$seconds"
share "$start" "$t0" "cpu on the title"
xdotool key Return
start=$(ticks)
t0=$EPOCHREALTIME
for _ in $(seq "$seconds"); do
    sleep 0.5
    xdotool key Down
    sleep 0.5
done
share "$start" "$t0" "cpu in the main menu"
rss=$(awk '/VmRSS/ {print $2}' "/proc/$game/status")
echo "memory: $((rss / 1024)) MB resident"
kill "$game"
wait "$game" 2>/dev/null
kill "$xvfb" 2>/dev/null
[ -n "${KEEP:-}" ] && echo "kept $out" || rm -rf "$out"
