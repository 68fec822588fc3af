#!/usr/bin/env bash
# Plays an online match between two headless runners on this machine, through our own
# lossy UDP proxy when a link is asked for, and checks that both sides ended on the
# same step with the same fight (checksum), the same match result and the same replay,
# and that the replay plays back offline, and passes the sync test, to that result.
# Only loopback addresses are used; every process is bounded by a timeout.
#
#   scripts/net-match.sh BUILD_DIR OUT_DIR PORT [--delay MS] [--jitter MS] [--loss PCT]
#                        [--outage START_MS:LENGTH_MS] [--seconds S] [--desync-at STEP]
#
# PORT and PORT+1 are used (the host's and the proxy's). --delay is one way, so the
# round trip grows by twice it. With --desync-at the host's fight is put out of step at
# that step: both sides must then report the desync at the same checkpoint and exit 1.
set -euo pipefail
build=$1 out=$2 port=$3
shift 3
delay=0 jitter=0 loss=0 outage="" seconds=12 desync=""
while (($#)); do
    case $1 in
    --delay) delay=$2 ;;
    --jitter) jitter=$2 ;;
    --loss) loss=$2 ;;
    --outage) outage=$2 ;;
    --seconds) seconds=$2 ;;
    --desync-at) desync=$2 ;;
    *) echo "net-match: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
root=$(cd "$(dirname "$0")/.." && pwd)
run=$build/tools/brawler-run
mkdir -p "$out"
rm -f "$out"/*.replay "$out"/*.out "$out"/desync-*.txt
for side in host join; do
    if [ $side = host ]; then character=Basalt seed=7; else character=Brawler seed=99; fi
    cat >"$out/$side.fight" <<SCRIPT
data $root/data
mode match
character player $character
seed $seed
random-input
end $((seconds * 1000))
SCRIPT
done

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
target=$port
if [ "$delay$jitter$loss$outage" != "000" ]; then
    target=$((port + 1))
    args=(--listen "$target" --to "$port" --delay "$delay" --jitter "$jitter" --loss "$loss"
          --seed 11 --duration $((seconds + 40)) --quiet)
    [ -n "$outage" ] && args+=(--outage "$outage")
    # A sanitized proxy's leak check at exit has been seen to spin for ever under timeout;
    # the proxy is a test tool, and its leaks are not the game's.
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        timeout -s KILL $((seconds + 45)) "$build/tools/brawler-netproxy" "${args[@]}" \
        >"$out/proxy.out" 2>&1 &
    pids+=($!)
fi
extra=()
[ -n "$desync" ] && extra=(--desync-at "$desync")
# Each side's processor share goes to SIDE.time (bash's time: its %P).
TIMEFORMAT='processor: %P %% of a core'
(time timeout $((seconds + 40)) "$run" --trace --host "$port" --record "$out/host.replay" \
    "${extra[@]}" "$out/host.fight" >"$out/host.out" 2>&1) 2>"$out/host.time" &
host=$!
pids+=($host)
sleep 0.3
set +e
(time timeout $((seconds + 40)) "$run" --trace --join "127.0.0.1:$target" \
    --record "$out/join.replay" "$out/join.fight" >"$out/join.out" 2>&1) 2>"$out/join.time"
joinCode=$?
wait $host
hostCode=$?
set -e

fail() { echo "net-match: $*" >&2; tail -n 12 "$out/host.out" "$out/join.out" >&2; exit 1; }
for side in host join; do
    grep -h "^online:" "$out/$side.out" | grep -v "^online: \(waiting\|connecting\)" || true
    echo "online: $(cat "$out/$side.time")"
done

if [ -n "$desync" ]; then
    ((hostCode == 1 && joinCode == 1)) || fail "a desync must end both sides with 1 (host $hostCode, join $joinCode)"
    at=$(grep -o "out of step after step [0-9]*" "$out/host.out" | grep -o "[0-9]*$")
    want=$(((at + 29) / 30 * 30))
    for side in host join; do
        # The trace names a starting move without ending its line, so the report may
        # follow a move's name on the same line.
        grep -q "desync at step $want$" "$out/$side.out" ||
            fail "$side did not report the desync at step $want (put out of step after $at)"
    done
    ls "$out"/desync-step-$want-side-*.txt >/dev/null || fail "no desync dump was written"
    grep -h "first field that differs" "$out"/desync-step-$want-side-*.txt
    grep -q "first field that differs: opponent.hp" "$out"/desync-step-$want-side-1.txt ||
        fail "the dump does not name the hit points that were put out of step"
    echo "net-match: the desync was reported on both sides at step $want"
    exit 0
fi

((hostCode == 0 && joinCode == 0)) || fail "exit codes: host $hostCode, join $joinCode"
# The runner's last lines are the replay's; the match and checksum lines come before.
hostEnd=$(grep -A1 "^match:" "$out/host.out" | tail -n 2)
joinEnd=$(grep -A1 "^match:" "$out/join.out" | tail -n 2)
[ "$hostEnd" = "$joinEnd" ] || fail "the two sides ended apart:
host: $hostEnd
join: $joinEnd"
grep -q "not confirmed" <<<"$hostEnd" && fail "the last step was not confirmed by both sides"
cmp -s "$out/host.replay" "$out/join.replay" || fail "the two sides' replays differ"
# A replay plays on the working folder's data.
cd "$root"
again=$("$run" --replay "$out/host.replay" | grep "^match:")
[ "$again" = "$(head -n 1 <<<"$hostEnd")" ] || fail "the replay played back to another end: $again"
"$run" --sync-test 8 --replay "$out/host.replay" | grep -q "^sync test: [0-9]* steps, 0 mismatches" ||
    fail "the replay failed the sync test"
echo "net-match: both sides: $hostEnd"
echo "net-match: the replay plays back to the same end and passes the sync test"
