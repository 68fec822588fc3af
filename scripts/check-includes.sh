#!/usr/bin/env bash
# Every source that has a header of its own includes that header before anything else,
# so a header that forgets an include of its own fails to compile right away.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r src; do
    header="${src%.cpp}.h"
    [ -f "$header" ] || continue
    first="$(grep -m1 '^#include' "$src" || true)"
    if [ "$first" != "#include \"$header\"" ]; then
        echo "$src: first include should be \"$header\" (found: $first)"
        bad=1
    fi
done < <(git ls-files -- '*.cpp')
exit "$bad"
