# Sourced by the window tests: starts a virtual X display for them.
#   start_xvfb <output dir>
# Sets `xvfb` (its process id) and exports DISPLAY; returns 2 when it did not start.
# XVFB_SCREEN sets the screen's size (default 1024x768x24); XVFB_WM=1 runs a window
# manager on it, as a desktop has, for what only a window manager does (fullscreen).
# The game under test keeps its leak check off: SDL unloads the X libraries it opened
# at quit, so their allocations cannot be told apart from ours; the unit suite checks
# leaks instead.
start_xvfb() {
    local out="$1"
    # A display number left from an earlier session in the same folder would be read
    # before the new server writes its own.
    rm -f "$out/display"
    Xvfb -displayfd 3 -screen 0 ${XVFB_SCREEN:-1024x768x24} -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
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
    if [ -n "${XVFB_WM:-}" ]; then
        openbox >"$out/wm.log" 2>&1 &
        sleep 0.5
    fi
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}
