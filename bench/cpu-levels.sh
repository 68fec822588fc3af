#!/usr/bin/env bash
# The computer's levels against the four scripted players of tests/cpu: for each level
# and player, best-of-three matches over the seeds, the computer playing the Brawler on
# odd seeds and Basalt on even ones (the player is always the Brawler). Prints the rounds
# taken by the player, by the computer and drawn, and the whole matches drawn.
#
#   bench/cpu-levels.sh [--runner PATH] [--levels "1 2 ..."] [--seeds "1 2 ..."]
#                       [--players "masher fireballs turtle sweeper"] [--sync-test N]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runner="$root/build/tools/brawler-run"
levels="1 2 3 4 5 6 7 8"
seeds="1 2 3 4 5 6 7 8 9 10"
players="masher fireballs turtle sweeper rushdown"
sync=()
while [ $# -gt 0 ]; do
    case "$1" in
    --runner) runner="$2"; shift 2 ;;
    --levels) levels="$2"; shift 2 ;;
    --seeds) seeds="$2"; shift 2 ;;
    --players) players="$2"; shift 2 ;;
    --sync-test) sync=(--sync-test "$2"); shift 2 ;;
    *) echo "cpu-levels.sh: unknown option \"$1\"" >&2; exit 2 ;;
    esac
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf '| level | player | rounds: player | computer | drawn | matches drawn |\n'
printf '|---|---|---|---|---|---|\n'
for level in $levels; do
    for player in $players; do
        taken=0 lost=0 drawn=0 tied=0
        for seed in $seeds; do
            computer=Brawler
            [ $((seed % 2)) -eq 0 ] && computer=Basalt
            script="$work/$player-$level-$seed.fight"
            {
                echo "data $root/data"
                echo "seed $seed"
                echo "cpu $level"
                echo "character opponent $computer"
                grep -v '^data ' "$root/tests/cpu/$player.fight"
            } >"$script"
            line="$("$runner" --no-picture "${sync[@]}" "$script" | grep '^match: ')" || {
                echo "cpu-levels.sh: $player at level $level, seed $seed: the runner failed" >&2
                exit 1
            }
            # match: over in round R, rounds won: player P, opponent O, winner: W
            read -r r p o w <<<"$(sed -E 's/.*round ([0-9]+), rounds won: player ([0-9]+), opponent ([0-9]+), winner: ([a-z]+).*/\1 \2 \3 \4/' <<<"$line")"
            taken=$((taken + p))
            lost=$((lost + o))
            drawn=$((drawn + r - p - o))
            [ "$w" = draw ] && tied=$((tied + 1))
        done
        printf '| %s | %s | %s | %s | %s | %s |\n' "$level" "$player" "$taken" "$lost" "$drawn" "$tied"
    done
done
