#!/usr/bin/env bash
# What online play refuses or survives, between headless runners on this machine:
# a game of another version and a data folder that differs are refused on both sides
# with the reason, and the host goes on waiting and then plays the next player; garbage
# datagrams sent to the host's port during a match change nothing; a player killed
# with SIGKILL is reported gone by the other side within 5 s. Loopback only, every
# process bounded by a timeout.
#
#   scripts/net-refusals.sh BUILD_DIR OUT_DIR PORT
set -euo pipefail
build=$1 out=$2 port=$3
root=$(cd "$(dirname "$0")/.." && pwd)
run=$build/tools/brawler-run
mkdir -p "$out"
rm -rf "$out"/*
fail() { echo "net-refusals: $*" >&2; for f in "$out"/*.out; do echo "== $f" >&2; grep -v "^ \|^$" "$f" | tail -n 8 >&2; done; exit 1; }
pids=()
# A timeout passes a plain kill on to what it runs.
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

script() { # name data seconds
    cat >"$out/$1.fight" <<SCRIPT
data $2
mode match
seed 5
random-input
end $(($3 * 1000))
SCRIPT
}
script host "$root/data" 6
script join "$root/data" 6
# Another data folder: one of Basalt's files changed.
cp -r "$root/data" "$out/otherdata"
printf '\n' >>"$out/otherdata/Basalt/moveset"
script other "$out/otherdata" 6

timeout 60 "$run" --trace --host "$port" "$out/host.fight" >"$out/host.out" 2>&1 &
host=$!
pids+=($host)
sleep 0.3

# Another version: refused, and told why.
set +e
BRAWLER_TEST_GAME_VERSION="brawler 0.1" timeout 20 "$run" --join "127.0.0.1:$port" \
    "$out/join.fight" >"$out/version.out" 2>&1
code=$?
set -e
((code == 1)) || fail "a joiner of another version ended with $code, not 1"
grep -q 'refused by 127.0.0.1: the host.s game is "brawler 1.*", the joining game "brawler 0.1"' "$out/version.out" ||
    fail "the joiner of another version was not told why"

# Another data folder: refused, naming the character that differs.
set +e
timeout 20 "$run" --join "127.0.0.1:$port" "$out/other.fight" >"$out/data.out" 2>&1
code=$?
set -e
((code == 1)) || fail "a joiner with other data ended with $code, not 1"
grep -q 'the character "Basalt" differs between the two data folders' "$out/data.out" ||
    fail "the joiner with other data was not told which character differs"

# The host is still waiting: a proper player now plays, while garbage is thrown at the
# host's port.
timeout 30 "$run" --join "127.0.0.1:$port" "$out/join.fight" >"$out/join.out" 2>&1 &
join=$!
pids+=($join)
for i in $(seq 1 200); do
    head -c $((i % 97 + 1)) /dev/urandom >/dev/udp/127.0.0.1/"$port" 2>/dev/null || true
    sleep 0.01
done
wait $join || fail "the proper player's match failed"
wait $host || fail "the host's match failed"
grep -q "refused a player: the host's game is" "$out/host.out" || fail "the host did not say it refused another version"
grep -q "refused a player: the character \"Basalt\" differs" "$out/host.out" || fail "the host did not say it refused other data"
[ "$(grep -A1 '^match:' "$out/host.out" | tail -n 2)" = "$(grep -A1 '^match:' "$out/join.out" | tail -n 2)" ] ||
    fail "the match beside the garbage ended apart"
echo "net-refusals: another version and other data refused on both sides; the match beside 200 garbage datagrams ended alike on both"

# A player killed outright, between two real games (headless, on SDL's dummy video
# driver): the host says so within 5 s (and a second or two) and waits for the next.
# The subshell becomes the game (exec), so its process id is the game's own.
(cd "$root" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$out/gone" \
    exec stdbuf -oL "$build/brawler" --host "$port" --player Basalt >"$out/gone.out" 2>&1) &
host=$!
pids+=($host)
sleep 0.5
# Not under a timeout: the kill must reach the game itself.
(cd "$root" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$out/killed" \
    exec "$build/brawler" --join "127.0.0.1:$port" --player Brawler >"$out/killed.out" 2>&1) &
victim=$!
pids+=($victim)
for _ in $(seq 100); do
    grep -q "round 1: fight\|match: best of" "$out/gone.out" 2>/dev/null && break
    sleep 0.1
done
sleep 2
kill -9 $victim
killedAt=$(date +%s%N)
for _ in $(seq 100); do
    grep -q "your opponent is gone" "$out/gone.out" && break
    sleep 0.1
done
tookMs=$((($(date +%s%N) - killedAt) / 1000000))
grep -q "your opponent is gone" "$out/gone.out" || fail "the host did not say its opponent was gone"
((tookMs <= 7000)) || fail "the host took $tookMs ms to see its opponent gone"
sleep 0.5
[ "$(grep -c "waiting for a player on port $port" "$out/gone.out")" -ge 2 ] ||
    fail "the host did not go back to waiting"
kill $host 2>/dev/null || true
wait $host 2>/dev/null || true
echo "net-refusals: a killed player was reported gone after $tookMs ms, and the host waits again"
