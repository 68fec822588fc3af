#!/usr/bin/env bash
# A long fight against random input, looking for growth: brawler-run plays MINUTES
# virtual minutes (default 30) with a random player at a fixed seed, reads the process's
# resident memory at every virtual minute and fails when it grew by 1 MB or more after
# the first minute, or when the run crashes or a check fails.
#   soak.sh [--runner PATH] [--seed N] [--no-memory-check] [MINUTES]
# --no-memory-check plays without the growth check (a sanitizer's allocator holds freed
# memory on purpose, so its resident memory grows by design).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runner="$root/build/tools/brawler-run"
seed=11
memoryCheck=1
minutes=30
while (($#)); do
    case "$1" in
        --runner) runner="$2"; shift 2 ;;
        --seed) seed="$2"; shift 2 ;;
        --no-memory-check) memoryCheck=0; shift ;;
        -*) echo "usage: soak.sh [--runner PATH] [--seed N] [--no-memory-check] [MINUTES]" >&2; exit 2 ;;
        *) minutes="$1"; shift ;;
    esac
done
if [ ! -x "$runner" ]; then
    echo "soak.sh: no runner at $runner (build first: scripts/build.sh build)" >&2
    exit 2
fi

endMs=$((minutes * 60000))
script="$(mktemp --suffix=.fight)"
trap 'rm -f "$script"' EXIT
{
    echo "seed $seed"
    echo "data $root/data"
    echo "random-input"
    echo "end $endMs"
    if ((memoryCheck)); then
        echo "at $endMs expect memory growth < 1024"
    fi
} >"$script"
echo "soak: $minutes virtual minutes, seed $seed, runner $runner"
"$runner" "$script"
