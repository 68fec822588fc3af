#!/usr/bin/env bash
# Configures (once) and builds one build tree: build.sh <dir> [extra cmake args...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
shift
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
fi
# At most a job per core: the machines are shared.
ninja -C "$dir" -j "${JOBS:-$(nproc)}" ${BUILD_TARGETS:-all}
