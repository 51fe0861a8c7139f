#!/bin/bash
# Two plumex processes on one X display: select all and copy in the first, paste in place and
# save in the second, then the saved file must hold the same paths as the first document.
# With xclip standing in for a drawing program, the copy must also offer the document's SVG,
# and an SVG document that program offers must paste.
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

# shellcheck source=private_x.sh
. "$(dirname "$0")/private_x.sh"
start_private_x

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
if command -v xclip >/dev/null; then
    xclip -selection clipboard -o -t TARGETS >"$work/targets" 2>&1
    grep -qx 'image/svg+xml' "$work/targets" || fail "the copy offers no image/svg+xml"
    # The private block under the registered name other programs know, and our MIME type.
    grep -qx 'Ostrel.PlumexData' "$work/targets" || fail "the copy offers no Ostrel.PlumexData"
    grep -qx 'application/x-plumex-paths' "$work/targets" ||
        fail "the copy offers no application/x-plumex-paths"
    xclip -selection clipboard -o -t Ostrel.PlumexData >"$work/copied.block"
    xclip -selection clipboard -o -t application/x-plumex-paths | cmp -s - "$work/copied.block" ||
        fail "the two names carry different blocks"
    xclip -selection clipboard -o -t image/svg+xml >"$work/copied.svg"
    "$cli" svg "$work/a.plx" >"$work/a.svg" || fail "cannot export the source as SVG"
    cmp -s "$work/copied.svg" "$work/a.svg" || fail "the copied SVG is not the document's"
fi
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

if command -v xclip >/dev/null; then
    # A square at x 12.34 to 13.34 units, as another program would offer it.
    printf '%s' '<svg xmlns="http://www.w3.org/2000/svg"><rect x="1234" y="0" width="100"' \
        ' height="100"/></svg>' >"$work/other.svg"
    xclip -quiet -selection clipboard -t image/svg+xml -i "$work/other.svg" 2>/dev/null &
    pids+=($!)
    sleep 0.5
    saved=$(stat -c %Y.%s "$work/b.plx")
    sleep 1 # a later modification time
    xdotool key --clearmodifiers ctrl+shift+v
    sleep 1
    xdotool key --clearmodifiers ctrl+s
    for _ in $(seq 1 50); do
        [ "$(stat -c %Y.%s "$work/b.plx")" != "$saved" ] && break
        sleep 0.2
    done
    "$cli" pov "$work/b.plx" >"$work/b2.inc" || fail "cannot read back the file saved after the SVG paste"
    [ "$(grep -c prism "$work/b2.inc")" -eq "$(( $(grep -c prism "$work/b.inc") + 1 ))" ] ||
        fail "the SVG from the other program did not paste as one path"
    grep -q '13\.34' "$work/b2.inc" || fail "the pasted SVG square is not where the file put it"
fi
if command -v xclip >/dev/null; then
    # Another program's block under the registered name alone, rounded up past its total: one
    # closed triangle of three anchors at x 20 to 22, then padding that must be ignored.
    python3 - "$work/padded.block" <<'PY'
import struct, sys
anchors = b"".join(struct.pack("<6d", x, y, x, y, x, y) + bytes([1, 0])
                   for x, y in ((20, 0), (22, 0), (21, 1)))
record = struct.pack("<iii", 0, 1 | 2 | 8, 3) + anchors
open(sys.argv[1], "wb").write(struct.pack("<i", 4 + len(record)) + record + b"\xcd" * 28)
PY
    xclip -quiet -selection clipboard -t Ostrel.PlumexData -i "$work/padded.block" 2>/dev/null &
    pids+=($!)
    sleep 0.5
    saved=$(stat -c %Y.%s "$work/b.plx")
    sleep 1
    xdotool key --clearmodifiers ctrl+shift+v
    sleep 1
    xdotool key --clearmodifiers ctrl+s
    for _ in $(seq 1 50); do
        [ "$(stat -c %Y.%s "$work/b.plx")" != "$saved" ] && break
        sleep 0.2
    done
    "$cli" pov "$work/b.plx" >"$work/b3.inc" || fail "cannot read back the file saved after the block paste"
    [ "$(grep -c prism "$work/b3.inc")" -eq "$(( $(grep -c prism "$work/b2.inc") + 1 ))" ] ||
        fail "the padded block from the other program did not paste as one path"
    grep -q '<22, *0>\|<22\.0*, *0\.0*>' "$work/b3.inc" ||
        fail "the pasted triangle is not where the block put it"
fi
echo "two-process clipboard: pasted and saved $(grep -c prism "$work/b.inc") paths"
