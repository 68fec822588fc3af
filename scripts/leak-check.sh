#!/usr/bin/env bash
# Valgrind's leak check on a fight against random input: brawler-run plays MINUTES
# virtual minutes (default 2), or --seconds S, under memcheck, and the check fails when a block lost
# (definitely, indirectly or possibly) or a memory error has our code on its stack.
# Our frames are the ones valgrind can name a source line for; the system's libraries
# carry no debug information here, so their own one-time allocations are counted and
# listed but do not fail the check.
#   leak-check.sh [--runner PATH] [--seed N] [--seconds S | MINUTES]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runner="$root/build/tools/brawler-run"
seed=11
seconds=120
while (($#)); do
    case "$1" in
        --runner) runner="$2"; shift 2 ;;
        --seed) seed="$2"; shift 2 ;;
        --seconds) seconds="$2"; shift 2 ;;
        -*) echo "usage: leak-check.sh [--runner PATH] [--seed N] [--seconds S | MINUTES]" >&2; exit 2 ;;
        *) seconds=$(($1 * 60)); shift ;;
    esac
done
if [ ! -x "$runner" ]; then
    echo "leak-check.sh: no runner at $runner (build first: scripts/build.sh build)" >&2
    exit 2
fi
if ! command -v valgrind >/dev/null; then
    echo "leak-check.sh: valgrind is not installed (scripts/setup.sh installs it)" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
script="$work/fight.fight"
log="$work/valgrind.txt"
printf 'seed %s\ndata %s\nrandom-input\nend %s\n' "$seed" "$root/data" $((seconds * 1000)) >"$script"
echo "leak check: $seconds virtual seconds under valgrind, seed $seed, runner $runner"
status=0
valgrind --leak-check=full --show-leak-kinds=definite,indirect,possible --num-callers=40 \
    --log-file="$log" "$runner" "$script" || status=$?
if ((status != 0)); then
    echo "leak-check.sh: the run itself failed (exit $status); valgrind's log:" >&2
    cat "$log" >&2
    exit 1
fi

# Splits the log into records (blank-line separated) and sorts each error record into
# ours or the libraries'.
awk '
    function flush() {
        if (record != "" && (record ~ /lost in loss record/ || record ~ /\n?==[0-9]+== (Invalid|Conditional jump|Use of uninitialised|Syscall param|Mismatched|Source and destination)/)) {
            if (record ~ /\([A-Za-z0-9_.+-]+\.(cpp|h):[0-9]+\)/) { ours++; print record > "/dev/stderr" }
            else libraries++
        }
        record = ""
    }
    /^==[0-9]+== *$/ { flush(); next }
    { record = record $0 "\n" }
    END {
        flush()
        printf "records with our code on the stack: %d; in the libraries alone: %d\n", ours, libraries
        exit ours > 0
    }
' "$log" || { echo "leak-check.sh: valgrind reports the records above from our code" >&2; exit 1; }
grep -E 'definitely lost|indirectly lost|possibly lost|ERROR SUMMARY' "$log" | sed 's/^==[0-9]*== *//'
