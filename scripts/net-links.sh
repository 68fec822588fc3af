#!/usr/bin/env bash
# Every link online play is tested on, at once: net-match.sh's matches over loopback as
# it is, at 20, 100 and 200 ms round trips with 20 ms of jitter and 5 % loss, and with a
# 2-second outage, each pair of runners on its own ports, all side by side (they spend
# their time waiting on the real clock). Fails when any one fails, with its output.
#   scripts/net-links.sh BUILD_DIR OUT_DIR FIRST_PORT
set -uo pipefail
build=$1 out=$2 port=$3
here=$(dirname "$0")
mkdir -p "$out"
links=(
    "loopback|--seconds 8"
    "rtt-20ms|--delay 10 --jitter 20 --loss 5 --seconds 8"
    "rtt-100ms|--delay 50 --jitter 20 --loss 5 --seconds 8"
    "rtt-200ms|--delay 100 --jitter 20 --loss 5 --seconds 8"
    "outage-2s|--delay 10 --jitter 20 --loss 5 --outage 3000:2000 --seconds 8"
)
pids=()
names=()
for link in "${links[@]}"; do
    name=${link%%|*}
    # shellcheck disable=SC2086 # the options are words
    "$here/net-match.sh" "$build" "$out/$name" "$port" ${link#*|} >"$out/$name.log" 2>&1 &
    pids+=($!)
    names+=("$name")
    port=$((port + 2))
    sleep 0.2
done
status=0
for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
        echo "== ${names[$i]}: $(grep '^net-match: both sides' "$out/${names[$i]}.log" | tail -n 1)"
    else
        echo "== ${names[$i]}: FAILED"
        status=1
    fi
    grep "^online: rollbacks\|^online: bandwidth\|^online: processor" "$out/${names[$i]}.log"
    ((status)) && cat "$out/${names[$i]}.log"
done
exit $status
