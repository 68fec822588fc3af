#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS_PER_TARGET (default 600), growing and merging
# the corpus kept in build-fuzz/corpus/. Non-zero on any finding.
set -euo pipefail
exec "$(dirname "$0")/../fuzz/run.sh" long "${1:-600}"
