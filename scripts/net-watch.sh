#!/usr/bin/env bash
# Watchers of an online match: two headless runners play, four games (headless, on SDL's
# dummy video driver) watch from the host, one of them coming in three seconds late, and
# each watcher's fight ends on the players' last step with the players' checksum; a fifth
# watcher is refused. Loopback only; every process bounded by a timeout.
#   scripts/net-watch.sh BUILD_DIR OUT_DIR PORT
set -euo pipefail
build=$1 out=$2 port=$3
root=$(cd "$(dirname "$0")/.." && pwd)
run=$build/tools/brawler-run
mkdir -p "$out"
rm -f "$out"/*.out
fail() { echo "net-watch: $*" >&2; tail -n 4 "$out"/*.out >&2; exit 1; }
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
for side in host join; do
    cat >"$out/$side.fight" <<SCRIPT
data $root/data
mode match
character player Basalt
seed 3
random-input
end 6000
SCRIPT
done
timeout 60 "$run" --host "$port" "$out/host.fight" >"$out/host.out" 2>&1 &
pids+=($!)
sleep 0.3
timeout 60 "$run" --join "127.0.0.1:$port" "$out/join.fight" >"$out/join.out" 2>&1 &
pids+=($!)
watch() { # name
    (cd "$root" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$out/$1" \
        exec timeout 60 "$build/brawler" --watch "127.0.0.1:$port" >"$out/$1.out" 2>&1)
}
sleep 0.5
watchers=()
for w in 1 2 3; do
    watch watcher$w &
    watchers+=($!)
    pids+=($!)
done
sleep 2.5
watch watcher4 &
watchers+=($!)
pids+=($!)
sleep 0.5
set +e
watch fifth
fifth=$?
set -e
((fifth == 1)) || fail "a fifth watcher ended with $fifth, not 1"
grep -q "four are watching already" "$out/fifth.out" || fail "the fifth watcher was not told why"
for p in "${watchers[@]}"; do wait "$p" || true; done
players=$(tail -n 1 "$out/host.out")
[ "$players" = "$(tail -n 1 "$out/join.out")" ] || fail "the players ended apart"
for w in 1 2 3 4; do
    got=$(grep -o "the match is over: .*" "$out/watcher$w.out" | sed 's/the match is over: //')
    [ "$got" = "$players" ] || fail "watcher $w ended on \"$got\", the players on \"$players\""
done
echo "net-watch: four watchers, one of them late, ended with the players: $players; a fifth was refused"
