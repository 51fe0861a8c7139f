#!/bin/bash
# The wait a user sees on the drawing of 10,000 loops of 100 anchors (1,000,000 anchors), on a
# private virtual display: from the key press (or the mouse release) to the first screenshot
# that differs from the picture before it, for fit all, a zoom step in and out, Select All, a
# click on nothing, a move drag and Undo. The screenshot loop takes some tens of milliseconds
# itself, so figures under about that are "at once".
#   bench/gui_latency.sh PLUMEX PLUMEX-CLI [RUNS]
# Needs xvfb, xdotool and imagemagick. Prints one line per action: the median in milliseconds.
set -u
plumex=$1 cli=$2 runs=${3:-3}
work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# The drawing of bench/LoopDrawing.h, as bezier_spline text (the wobble differs, the density not).
python3 - "$work/loops.txt" <<'PY'
import math, random, sys
random.seed(7)
out = []
for i in range(10000):
    cx, cy = 10.0 * (i % 100), 10.0 * (i // 100)
    pts = []
    for k in range(100):
        a = 2 * math.pi * k / 100
        r = 4 + random.uniform(-0.6, 0.6)
        p = (cx + r * math.cos(a), cy + r * math.sin(a))
        t = (-math.sin(a) * 0.15, math.cos(a) * 0.15)
        pts.append((p, (p[0] - t[0], p[1] - t[1]), (p[0] + t[0], p[1] + t[1])))
    ctrl = []
    for k in range(100):
        p, _, o = pts[k]
        q, i2, _ = pts[(k + 1) % 100]
        ctrl += [p, o, i2, q]
    out.append("bezier_spline %d, " % len(ctrl) +
               ", ".join("<%.6f, %.6f>" % c for c in ctrl) + "}\n")
open(sys.argv[1], "w").write("".join(out))
PY
"$cli" spline2plx "$work/loops.txt" -o "$work/loops.plx" >/dev/null || exit 1

for n in $(seq 130 160); do [ -e /tmp/.X$n-lock ] || break; done
Xvfb :$n -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
sleep 1
HOME=$work "$plumex" "$work/loops.plx" >/dev/null 2>&1 &
app=$!
win=$(xdotool search --sync --onlyvisible --pid $app 2>/dev/null | head -1)
xdotool windowsize "$win" 1280 860 windowmove "$win" 0 0
sleep 8 # the opening and its first paint

shot() { import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32; }
now() { date +%s%N; }
# Waits for the screen to change from $1 and then to hold still; prints the milliseconds from
# $2 to the first changed screenshot.
settle() {
    local before=$1 t0=$2 h t1
    while :; do
        h=$(shot)
        [ "$h" != "$before" ] && break
        [ $(( ($(now) - t0) / 1000000 )) -gt 20000 ] && { import -window root "${SHOTS:-/dev/null}/timeout_$t0.png" 2>/dev/null; echo timeout; return; }
    done
    t1=$(now)
    local last=$h
    while :; do sleep 0.3; h=$(shot); [ "$h" = "$last" ] && break; last=$h; done
    echo $(( (t1 - t0) / 1000000 ))
}
key() { local b; b=$(shot); xdotool windowfocus --sync "$win" key "$1"; settle "$b" "$(now)"; }
# Presses on an anchor near the middle (a black pixel of the picture) and moves the path.
drag() {
    local b t at x y
    at=$(import -window root -crop 80x80+600+400 txt:- 2>/dev/null | grep -m1 '#000000' | cut -d: -f1)
    x=$((600 + ${at%,*})) y=$((400 + ${at#*,}))
    xdotool mousemove --window "$win" $x $y mousedown 1 mousemove --window "$win" $((x + 10)) $((y + 5))
    sleep 1
    b=$(shot)
    t=$(now)
    xdotool mousemove --window "$win" $((x + 20)) $((y + 10)) mouseup 1
    settle "$b" "$t"
}
click_nothing() { local b; b=$(shot); xdotool mousemove --window "$win" 150 600 click 1; settle "$b" "$(now)"; }
median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A times
for run in $(seq "$runs"); do
    times[zoom_in]+=" $(key KP_Add)"
    times[fit_all]+=" $(key ctrl+f)"
    times[zoom_out]+=" $(key KP_Subtract)"
    key ctrl+f >/dev/null
    times[select_all]+=" $(key ctrl+a)"
    times[deselect_click]+=" $(click_nothing)"
    times[move_drag]+=" $(drag)"
    times[undo]+=" $(key ctrl+z)"
done
for a in fit_all zoom_in zoom_out select_all deselect_click move_drag undo; do
    printf '%-16s %s ms (runs:%s)\n' "$a" "$(echo "${times[$a]}" | median)" "${times[$a]}"
done
