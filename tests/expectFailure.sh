#!/usr/bin/env bash
# Runs a command that must fail as a replay with a false expectation fails: exit code 1
# and a "file:line: expected ..., got ..." line. Any other outcome (success, a script
# error, a crash) fails this test.
out="$("$@" 2>&1)"
code=$?
printf '%s\n' "$out"
if [ "$code" -ne 1 ]; then
    echo "expectFailure: exit code $code, wanted 1"
    exit 1
fi
if ! printf '%s\n' "$out" | grep -Eq '\.fight:[0-9]+: expected .*, got '; then
    echo "expectFailure: no 'expected ..., got ...' line"
    exit 1
fi
