#!/usr/bin/env bash
# Folders stand on floors and includes only go down, so a low folder builds and is
# tested without the ones above it. fighter/ and moves/ share a floor: a fighter runs
# its moves and a move reads its fighter.
set -euo pipefail
cd "$(dirname "$0")/.."
# From the ground up; folders on one line share a floor. match/ and config/ may not exist.
# The tools, benchmarks, fuzz targets and tests stand on the game, never under it.
floors=(
    "platform"
    "datafile"
    "collision"
    "sprite"
    "sound"
    "fighter moves"
    "particles"
    "control"
    "net"
    "ai"
    "match"
    "config"
    "menu"
    "shell"
    "tools"
    "bench fuzz tests"
)
declare -A floor
paths=()
for i in "${!floors[@]}"; do
    for dir in ${floors[$i]}; do
        floor[$dir]=$i
        paths+=("$dir/*.cpp" "$dir/*.h")
    done
done
bad=0
while IFS= read -r file; do
    own="${file%%/*}"
    while IFS=: read -r line target; do
        dir="${target%%/*}"
        # Only project folders count: "SDL.h" and the like have no floor.
        if [ "$dir" = "$target" ] || [ -z "${floor[$dir]+x}" ]; then
            continue
        fi
        if ((floor[$dir] > floor[$own])); then
            echo "$file:$line: includes \"$target\" from a higher floor ($dir is above $own)"
            bad=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
        sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files -- "${paths[@]}")
exit "$bad"
