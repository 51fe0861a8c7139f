# Sourced by the display tests: starts a private X server and exports its DISPLAY. -displayfd
# lets it pick a free display itself, so parallel test runs or a stale lock file cannot make it
# collide with another server. Sets `xserver` to its process id; needs `work` and `fail`.
start_private_x() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xserver=$!
    for _ in $(seq 1 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xserver" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "the X server did not start"; }
    DISPLAY=":$(head -1 "$work/display")"
    export DISPLAY
}
