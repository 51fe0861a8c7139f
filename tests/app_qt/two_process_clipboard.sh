#!/bin/bash
# Two plumex processes on one X display: select all and copy in the first, paste in place and
# save in the second, then the saved file must hold the same paths as the first document.
# Usage: two_process_clipboard.sh PLUMEX PLUMEX-CLI SOURCE.plx
set -u
# The suite runs Qt tests offscreen; these two windows must be real ones on an X display.
export QT_QPA_PLATFORM=xcb
plumex=$1 cli=$2 source=$3
work=$(mktemp -d)
pids=()
xserver=""
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    [ -n "$xserver" ] && kill "$xserver" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "two-process clipboard: $*" >&2; exit 1; }

# A private X server; -displayfd lets it pick a free display itself, so parallel test runs or a
# stale lock file cannot make it collide with another server.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xserver=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xserver" 2>/dev/null || break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "the X server did not start"; }
export DISPLAY=":$(head -1 "$work/display")"

cp "$source" "$work/a.plx"
# An empty document to paste into, so Save needs no file dialog.
python3 - "$work/b.plx" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as f:
    f.write(b"PlumexData" + bytes(6) + struct.pack("<ii", 5, 0) + struct.pack("<3d", 100, 0, 0)
            + struct.pack("<iii", 0, 0, 0))
PY
before=$(stat -c %Y.%s "$work/b.plx")

# Starts the editor on a document and gives its window the keyboard.
start() {
    "$plumex" "$1" >"$work/log-$2" 2>&1 &
    local pid=$!
    pids+=("$pid")
    local window=""
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { cat "$work/log-$2" >&2; fail "no window for $1"; }
    sleep 1
    xdotool windowfocus --sync "$window"
}

start "$work/a.plx" 1
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 1
start "$work/b.plx" 2
xdotool key --clearmodifiers ctrl+shift+v
sleep 1
xdotool key --clearmodifiers ctrl+s
for _ in $(seq 1 50); do
    [ "$(stat -c %Y.%s "$work/b.plx")" != "$before" ] && break
    sleep 0.2
done
sleep 0.5
[ "$(stat -c %Y.%s "$work/b.plx")" != "$before" ] || fail "the second window saved nothing"

"$cli" pov "$work/a.plx" > "$work/a.inc" || fail "cannot export the source"
"$cli" pov "$work/b.plx" > "$work/b.inc" || fail "cannot read back the saved file"
diff -u "$work/a.inc" "$work/b.inc" || fail "the pasted paths differ from the copied ones"
grep -q bezier_spline "$work/b.inc" || fail "nothing was pasted"
echo "two-process clipboard: pasted and saved $(grep -c prism "$work/b.inc") paths"
