#!/usr/bin/env bash
# The 1,000,000-anchor drawing (10,000 closed loops of 100 curved anchors) exported as POV-Ray
# text by plumex-cli and by a general vector editor's own POV-Ray output, from the same SVG, in
# the same run. Usage: bench/pov_peer_compare.sh [PLUMEX_CLI] [PEER]   (PEER default: inkscape)
set -euo pipefail
cli=${1:-build/release/cli/plumex-cli}
peer=${2:-inkscape}
command -v "$peer" >/dev/null || { echo "peer '$peer' is not installed: nothing to compare"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

python3 - "$dir/loops.svg" <<'PY'
import math, random, sys
random.seed(7)
out = ['<svg xmlns="http://www.w3.org/2000/svg" viewBox="-10 -10 1010 1010" width="1010" height="1010">']
for i in range(10000):
    cx, cy = 10.0 * (i % 100), 10.0 * (i // 100)
    pts = []
    for k in range(100):
        a = 2 * math.pi * k / 100
        r = 4 + random.uniform(-0.6, 0.6)
        p = (cx + r * math.cos(a), cy + r * math.sin(a))
        t = (-math.sin(a) * 0.15, math.cos(a) * 0.15)
        pts.append((p, (p[0] - t[0], p[1] - t[1]), (p[0] + t[0], p[1] + t[1])))
    d = ['M%.6f %.6f' % pts[0][0]]
    for k in range(100):
        a, b = pts[k], pts[(k + 1) % 100]
        d.append('C%.6f %.6f %.6f %.6f %.6f %.6f' % (a[2] + b[1] + b[0]))
    out.append('<path d="%s Z"/>' % ' '.join(d))
out.append('</svg>')
open(sys.argv[1], 'w').write('\n'.join(out))
PY

best() { # best wall seconds of N runs of a command
    local n=$1; shift
    local b=
    for _ in $(seq "$n"); do
        local s e
        s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N)
        b=$(python3 -c "import sys; t=$e-$s; b='$b'; print(t if not b else min(t, float(b)))")
    done
    echo "$b"
}

import=$(best 3 "$cli" svg2plx "$dir/loops.svg" -o "$dir/loops.plx" --no-holes)
ours=$(best 3 "$cli" pov "$dir/loops.plx" -o "$dir/ours.inc")
theirs=$(best 2 "$peer" "$dir/loops.svg" --export-filename="$dir/theirs.pov")
python3 - "$import" "$ours" "$theirs" "$dir" <<'PY'
import os, sys
imp, ours, theirs, d = float(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
mb = lambda f: os.path.getsize(os.path.join(d, f)) / 1e6
print(f"plumex-cli pov of the .plx:      {ours*1e3:8.0f} ms  ({mb('ours.inc'):.0f} MB of text)")
print(f"plumex-cli svg2plx + pov:        {(imp+ours)*1e3:8.0f} ms")
print(f"peer SVG to POV-Ray:             {theirs*1e3:8.0f} ms  ({mb('theirs.pov'):.0f} MB of text)")
print(f"ratio peer / plumex pov:         {theirs/ours:8.1f}x")
print(f"ratio peer / svg2plx + pov:      {theirs/(imp+ours):8.1f}x")
PY
