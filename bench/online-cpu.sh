#!/usr/bin/env bash
# What two real games cost while they play each other online: both in one virtual X
# display, the second calling the first through our lossy proxy (DELAY ms each way,
# default 50: a 100 ms round trip), random keys pressed in each window in turn for
# SECONDS (default 20); prints each game's processor share (all threads, from /proc), its
# resident memory, and its rollback figures. Loopback only.
#   bench/online-cpu.sh [SECONDS] [DELAY]
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
delay="${2:-50}"
port=7760
out="$(mktemp -d)"
source "$root/tests/e2e/xvfb.sh"
start_xvfb "$out" || exit 2
cd "$root"
"$root/build/tools/brawler-netproxy" --listen $((port + 1)) --to $port --delay "$delay" \
    --jitter 10 --seed 5 --duration $((seconds + 30)) --quiet >"$out/proxy.txt" 2>&1 &
proxy=$!
start() { # name args...
    local name=$1
    shift
    XDG_DATA_HOME="$out/$name" XDG_CONFIG_HOME="$out/$name" SDL_VIDEODRIVER=x11 \
        SDL_AUDIODRIVER=dummy "$root/build/brawler" "$@" >"$out/$name.txt" 2>&1 &
}
start host --host $port --player Basalt
host=$!
sleep 0.5
start join --join 127.0.0.1:$((port + 1)) --player Brawler
join=$!
for _ in $(seq 200); do
    grep -q "select: player picks" "$out/join.txt" 2>/dev/null && break
    sleep 0.05
done
sleep 3 # the pick on show, and the round's announcement
windows=($(xdotool search --pid $host --name '^brawler$') $(xdotool search --pid $join --name '^brawler$'))
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
h0=$(ticks $host) j0=$(ticks $join)
t0=$EPOCHREALTIME
keys=(Left Right Up Down z x c Left Right)
i=0
while awk -v a="$EPOCHREALTIME" -v b="$t0" -v s="$seconds" 'BEGIN { exit !(a - b < s) }'; do
    xdotool windowfocus "${windows[i % 2]}" 2>/dev/null
    k=${keys[RANDOM % ${#keys[@]}]}
    xdotool keydown "$k"
    sleep "0.0$((RANDOM % 9 + 1))"
    xdotool keyup "$k"
    sleep "0.$((RANDOM % 3))"
    i=$((i + 1))
done
h1=$(ticks $host) j1=$(ticks $join)
t1=$EPOCHREALTIME
hz=$(getconf CLK_TCK)
for side in host join; do
    pid=${!side}
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    [ $side = host ] && used=$((h1 - h0)) || used=$((j1 - j0))
    awk -v u="$used" -v hz="$hz" -v a="$t0" -v b="$t1" -v s=$side -v m=$((rss / 1024)) \
        'BEGIN { printf "%s: cpu %.1f %% of a core over %.1f s, %d MB resident\n", s, 100 * u / hz / (b - a), b - a, m }'
done
xdotool windowfocus "${windows[1]}" 2>/dev/null
xdotool key Escape
sleep 2
kill $host $proxy 2>/dev/null
wait 2>/dev/null
kill "$xvfb" 2>/dev/null
grep -h "^online: rollbacks\|^online: checksum" "$out/host.txt" "$out/join.txt"
[ -n "${KEEP:-}" ] && echo "kept $out" || rm -rf "$out"
