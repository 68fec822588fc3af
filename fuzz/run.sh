#!/usr/bin/env bash
# Builds the fuzz tree and runs every fuzz target: fuzz/run.sh short|long SECONDS, or
# only builds it: fuzz/run.sh build. Targets run side by side, one per core.
#   short: each target over its saved regression inputs, then SECONDS of fuzzing from
#          the shipped data's files in a fresh corpus (scripts/fuzz.sh, ./test).
#   long:  the same, keeping a growing corpus in build-fuzz/corpus/<target>, merged to
#          the inputs that add coverage after each run (scripts/fuzz-long.sh).
# Prints the executions of every target; non-zero on any finding (crash, sanitizer
# report, hang, out-of-memory), whose input is left in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode="$1"
seconds="${2:-0}"
# FUZZ_BUILD names another tree configured with BRAWLER_FUZZ (./test shares its
# sanitized tree with the fuzzers); by default the targets get a tree of their own.
build="${FUZZ_BUILD:-$root/build-fuzz}"
data="$root/data"

echo "== build the fuzz targets (clang-14, libFuzzer, ASan, UBSan)"
mkdir -p "$build"
CC=clang-14 CXX=clang++-14 BUILD_TARGETS=fuzzers \
    "$root/scripts/build.sh" "$build" -DBRAWLER_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >"$build/build.log" 2>&1 ||
    { cat "$build/build.log"; exit 1; }
if [ "$mode" = build ]; then
    exit 0
fi

# Seeds: the shipped files of each format, copied at run time (never committed twice).
seeds="$build/seeds"
rm -rf "$seeds"
seed() { # seed FORMAT FILE...
    mkdir -p "$seeds/$1"
    local format="$1" file
    shift
    for file in "$@"; do
        cp "$file" "$seeds/$format/$(echo "${file#"$data/"}" | tr / _)"
    done
}
seed sheetInfo "$data"/run/info "$data"/Brawler/*/info "$data"/particle/*/info
seed animList "$data"/Brawler/info
seed moveset "$data"/Brawler/moveset
seed particleList "$data"/particle/default
seed particleDef "$data"/particle/*/particle
seed soundList "$data"/soundSet/sound "$data"/Brawler/sound/sound
seed attack "$data"/Brawler/ai/attack
seed frameImage "$data"/particle/*/*.bmp
# The controls file lives outside the data folder; its seeds are kept in fuzz/seeds/.
seed controls "$root"/fuzz/seeds/controls/*
seed settings "$root"/fuzz/seeds/settings/*
seed replay "$root"/fuzz/seeds/replay/*
seed packet "$root"/fuzz/seeds/packet/*

# Longest input per format: a few times the largest shipped file.
declare -A maxLen=([sheetInfo]=4096 [animList]=1024 [moveset]=4096 [particleList]=1024
                   [particleDef]=1024 [soundList]=1024 [attack]=1024 [frameImage]=16384
                   [controls]=4096 [settings]=2048 [replay]=8192 [packet]=2048)
formats=(sheetInfo animList moveset particleList particleDef soundList attack frameImage controls
         settings replay packet)

export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
findings="$build/findings"
logs="$build/logs"
mkdir -p "$findings" "$logs"
results="$build/results"
rm -rf "$results" && mkdir -p "$results"

# One target: its regression inputs, then the fuzzing; writes its table row to
# $results/<target>.row and, on a finding, $results/<target>.failed.
runTarget() {
    local format="$1" target="$2"
    local exe="$build/fuzz/$target" log="$logs/$target.log"
    # Checker runs load the whole data folder per input: allow them longer.
    local timeout=10
    [[ $target == fuzz_check_* ]] && timeout=30
    local common=(-rss_limit_mb=2048 -timeout="$timeout" -max_len="${maxLen[$format]}"
                  -artifact_prefix="$findings/$target-")
    local regressions=("$root/fuzz/regressions/$format"/*)
    if [ -e "${regressions[0]}" ]; then
        if ! "$exe" "${common[@]}" "${regressions[@]}" >"$logs/$target.regressions.log" 2>&1; then
            echo "$target: a saved regression input fails again; see $logs/$target.regressions.log"
            echo "$target (regressions)" >"$results/$target.failed"
            return
        fi
    fi
    local corpus
    if [ "$mode" = long ]; then
        corpus="$build/corpus/$target"
    else
        corpus="$build/run/$target"
        rm -rf "$corpus"
    fi
    mkdir -p "$corpus"
    local status=0
    "$exe" "${common[@]}" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="$root/fuzz/dict/$format.dict" "$corpus" "$seeds/$format" >"$log" 2>&1 || status=$?
    local runs
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
    if [ "$status" -ne 0 ]; then
        local unit
        unit="$(sed -n 's/.*Test unit written to //p' "$log" | tail -n1)"
        echo "$target: FINDING (exit $status): ${unit:-no input saved}; log $log"
        grep -m3 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" || true
        echo "$target" >"$results/$target.failed"
    elif [ "$mode" = long ]; then
        # Keep only the inputs that add coverage.
        local merged="$corpus.merged"
        rm -rf "$merged" && mkdir -p "$merged"
        "$exe" "${common[@]}" -merge=1 "$merged" "$corpus" >"$logs/$target.merge.log" 2>&1 &&
            rm -rf "$corpus" && mv "$merged" "$corpus"
    fi
    printf '%-24s %10s  %s\n' "$target" "${runs:-?}" "$([ "$status" -eq 0 ] && echo ok || echo FINDING)" \
        >"$results/$target.row"
}

parallel="${JOBS:-$(nproc)}"
for format in "${formats[@]}"; do
    for target in "fuzz_$format" "fuzz_check_$format"; do
        # A format outside the data folder has no checker target.
        [ -e "$build/fuzz/$target" ] || continue
        while (($(jobs -rp | wc -l) >= parallel)); do
            wait -n || true
        done
        runTarget "$format" "$target" &
    done
done
wait
failed=()
for f in "$results"/*.failed; do
    if [ -e "$f" ]; then
        failed+=("$(cat "$f")")
    fi
done
table=()
for format in "${formats[@]}"; do
    for target in "fuzz_$format" "fuzz_check_$format"; do
        if [ -e "$results/$target.row" ]; then
            table+=("$(cat "$results/$target.row")")
        fi
    done
done

printf '%-24s %10s  %s\n' target executions result
printf '%s\n' "${table[@]}"
if ((${#failed[@]})); then
    echo "fuzz: findings in: ${failed[*]} (inputs in $findings)"
    exit 1
fi
echo "fuzz: no findings ($seconds s per target)"
