# Sourced by the window tests: starts a virtual X display for them.
#   start_xvfb <output dir>
# Sets `xvfb` (its process id) and exports DISPLAY; returns 2 when it did not start.
# The game under test keeps its leak check off: SDL unloads the X libraries it opened
# at quit, so their allocations cannot be told apart from ours; the unit suite checks
# leaks instead.
start_xvfb() {
    local out="$1"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$out/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$out/display" ]; then
        echo "Xvfb did not start" >&2
        return 2
    fi
    export DISPLAY=":$(tr -d '\n' <"$out/display")"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}
