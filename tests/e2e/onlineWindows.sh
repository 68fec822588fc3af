#!/usr/bin/env bash
# Two real games play each other online in one virtual X display, on loopback, driven
# by real key events: the host as Basalt, the joiner as Brawler. Each player walks,
# jumps and presses buttons in their own window, both windows are photographed
# mid-match, then the joiner leaves with Escape. It checks that the joiner ends with
# its checksum and exit code 0 and the host hears that its opponent left and waits for
# the next player; that both ended on the same step with the same fight; that each
# window's keys reached the match as its own side's input; that both replays are the
# same bytes; and that the replay plays back offline to the match's result.
#   tests/e2e/onlineWindows.sh BUILD_DIR OUT_DIR [PORT]
# The host listens on UDP PORT (default 7740) on 127.0.0.1. OUT_DIR gets each side's
# trace and its data and config homes (host/, join/), and host.png and join.png.
set -u
port=${3:-7740}
root=$(cd "$(dirname "$0")/../.." && pwd)
# The games run from the repository, so the folders given are made absolute first.
build=$(cd "$1" && pwd) || exit 2
mkdir -p "$2" && out=$(cd "$2" && pwd) || exit 2
rm -rf "$out/host" "$out/join" "$out/host.png" "$out/join.png"
mkdir -p "$out/host" "$out/join"

source "$root/tests/e2e/xvfb.sh"
xvfb="" host="" join=""
cleanup() {
    for p in $join $host $xvfb; do
        kill -KILL "$p" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT

fail() {
    echo "onlineWindows: $*" >&2
    for side in host join; do
        echo "--- $side" >&2
        grep -a "^online:\|^replay:\|^round\|^brawler:" "$out/$side/stdout.txt" >&2
        tail -n 5 "$out/$side/stderr.txt" >&2
    done
    exit 1
}

# One side's game, from the repository (it reads ./data), with homes of its own so the
# two never share a controls file or a replay folder; its trace goes out line by line,
# to be waited on. Sets `started`, the game's process id.
start_side() {
    local side=$1
    shift
    # There before the game opens it, so that it can be read at once.
    : >"$out/$side/stdout.txt"
    (cd "$root" && XDG_DATA_HOME="$out/$side/data" XDG_CONFIG_HOME="$out/$side/config" \
        SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
        exec stdbuf -oL "$build/brawler" "$@" >"$out/$side/stdout.txt" 2>"$out/$side/stderr.txt") &
    started=$!
}

# Waits up to SECONDS for SIDE's trace to hold COUNT lines starting with TEXT (a
# pattern), and no longer than its game runs.
await() {
    local side=$1 text=$2 seconds=$3 count=${4:-1} pid=${!1}
    for _ in $(seq $((seconds * 20))); do
        (($(grep -ac "^$text" "$out/$side/stdout.txt") >= count)) && return 0
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    (($(grep -ac "^$text" "$out/$side/stdout.txt") >= count)) && return 0
    fail "$side: not $count line(s) \"$text\" within $seconds s"
}

# Waits up to 5 s for the game of SIDE to end; sets `code` to its exit code.
await_end() {
    local side=$1 pid=${!1}
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "the $side's game did not end"
    wait "$pid"
    code=$?
    printf -v "$side" %s ""
}

# The game window of a process: both are titled "brawler".
window_of() {
    local wid
    for _ in $(seq 100); do
        wid=$(xdotool search --all --pid "$1" --name '^brawler$' 2>/dev/null | head -n 1)
        [ -n "$wid" ] && echo "$wid" && return 0
        sleep 0.05
    done
    return 1
}

# Plays STEPS in window WID with real key events (XTEST), which go to the window that
# has the input focus, as a keyboard's do: key:K taps K, hold:K:S holds it S seconds,
# sleep:S waits.
play_in() {
    local wid=$1 step verb key secs
    shift
    timeout 5 xdotool windowfocus --sync "$wid" || fail "could not focus window $wid"
    for step in "$@"; do
        IFS=: read -r verb key secs <<<"$step"
        case $verb in
        key) timeout 5 xdotool key "$key" ;;
        hold)
            timeout 5 xdotool keydown "$key"
            sleep "$secs"
            timeout 5 xdotool keyup "$key"
            ;;
        sleep) sleep "$key" ;;
        esac
    done
}

# What side 0 and side 1 did over a replay's match: one line each, the names of every
# direction and button held or pressed at some step.
replay_input() {
    local skip
    skip=$(sed -n '1,/^input$/p' "$1" | wc -c)
    od -An -v -tu1 -j "$skip" "$1" | tr -s ' ' '\n' | awk '
        NF { b[n++] = $1 }
        function mark(s, v,    bit) {
            for (bit = 0; bit < 7; bit++)
                if (int(v / 2 ^ bit) % 2)
                    did[s, bit] = 1
        }
        END {
            split("left right up down A B C", name)
            for (i = 0; i < n;) {
                while (b[i] >= 128)
                    i++
                i++
                for (s = 0; s < 2; s++) {
                    mark(s, b[i])
                    k = b[i + 1]
                    i += 2
                    for (; k > 0; k--)
                        mark(s, b[i++])
                }
            }
            for (s = 0; s < 2; s++) {
                line = "side " s ":"
                for (bit = 0; bit < 7; bit++)
                    if (did[s, bit])
                        line = line " " name[bit + 1]
                print line
            }
        }'
}

# Side by side on a wide screen: a screenshot of a window is the screen's pixels where
# it lies, so neither may cover the other.
XVFB_SCREEN=1600x600x24 start_xvfb "$out" || exit 2

start_side host --host "$port" --player Basalt
host=$started
await host "online: waiting for a player on port $port" 15
start_side join --join "127.0.0.1:$port" --player Brawler
join=$started
await host "online: connected" 10
await join "online: connected" 5
hostWindow=$(window_of "$host") || fail "no host window"
joinWindow=$(window_of "$join") || fail "no joiner window"
timeout 5 xdotool windowmove --sync "$hostWindow" 0 0
timeout 5 xdotool windowmove --sync "$joinWindow" 800 0
# Keys count once the fight is on, after "connected" and the round's call.
await host "round 1: fight" 10
await join "round 1: fight" 5

# Basalt starts on the left and Brawler on the right: each walks at the other and
# jumps, then Basalt jabs and kicks, Brawler strikes and kicks, and jumps again to be
# seen in the air in both windows.
play_in "$hostWindow" hold:Right:0.6 key:Up sleep:0.5 key:z sleep:0.3 key:x
play_in "$joinWindow" hold:Left:0.6 key:Up sleep:0.5 key:c sleep:0.3 key:x sleep:0.5 \
    key:Up sleep:0.1
# Both at once, to show the two windows at about the same moment.
timeout 10 import -window "$hostWindow" "png:$out/host.png" &
shots=$!
timeout 10 import -window "$joinWindow" "png:$out/join.png"
wait "$shots"
[ -s "$out/host.png" ] && [ -s "$out/join.png" ] || fail "no screenshot of a window"

play_in "$joinWindow" key:Escape
await_end join
((code == 0)) || fail "the joiner exited with $code"
await join "online: .*checksum " 1
await host "online: your opponent left" 5
await host "online: waiting for a player on port $port" 5 2
# Waiting for the next player is no reason to miss a TERM.
kill -TERM "$host"
await_end host
((code == 143)) || fail "the host exited with $code on TERM"

# The same step and the same fight on both sides, confirmed by both.
hostSum=$(grep -a "^online: .*checksum " "$out/host/stdout.txt")
joinSum=$(grep -a "^online: .*checksum " "$out/join/stdout.txt")
for sum in "$hostSum" "$joinSum"; do
    grep -q "not confirmed" <<<"$sum" && fail "the last step was not confirmed: $sum"
done
hostSum=$(grep -o "checksum [0-9a-f]* at step [0-9]*" <<<"$hostSum")
joinSum=$(grep -o "checksum [0-9a-f]* at step [0-9]*" <<<"$joinSum")
[ -n "$hostSum" ] && [ "$hostSum" = "$joinSum" ] ||
    fail "the two sides ended apart: host \"$hostSum\", join \"$joinSum\""

for side in host join; do
    saved=$(grep -a "^replay: saved " "$out/$side/stdout.txt" | head -n 1)
    path=${saved#replay: saved }
    path=${path%%: *}
    [ -f "$path" ] || fail "$side: no replay saved: $saved"
    printf -v "${side}Replay" %s "$path"
done
cmp "$hostReplay" "$joinReplay" || fail "the two sides' replays differ"

input=$(replay_input "$hostReplay")
echo "$input"
for want in "side 0:.* right.* A" "side 1: left.* C"; do
    grep -q "$want" <<<"$input" || fail "the replay's input is not \"$want\":
$input"
done
grep -q "side 0:.* left\|side 0:.* C\|side 1:.* right\|side 1:.* A" <<<"$input" &&
    fail "one window's keys went to the other side:
$input"

# Played back offline (on the repository's data) to the result the host saved.
cd "$root"
again=$("$build/tools/brawler-run" --replay "$hostReplay" | grep "^match:")
result=$(grep -a "^replay: saved " "$out/host/stdout.txt" | head -n 1)
result=${result#*: *: }
result=${result%%;*}
[ "$again" = "match: $result" ] ||
    fail "the replay played back to \"$again\", the match was \"$result\""
echo "onlineWindows: $hostSum; $again"
