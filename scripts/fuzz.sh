#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ and runs each for SECONDS (default 4),
# after replaying the saved inputs of past findings. Non-zero on any finding.
set -euo pipefail
exec "$(dirname "$0")/../fuzz/run.sh" short "${1:-4}"
