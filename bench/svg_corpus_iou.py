#!/usr/bin/env python3
"""Filled-pixel agreement of SVG import with librsvg over a corpus of real files.

Usage: bench/svg_corpus_iou.py PLUMEX_CLI OUT.tsv FILE.svg... (or a folder, searched for *.svg)

Each file is drawn by rsvg-convert with strokes off (only fills are compared) and by
`plumex-cli svg2plx` + `plumex-cli bmp`, in one frame: two marker points at the corners of the
root's viewBox pin our bitmap to rsvg's page. Pixels darker than half are filled; the score
is intersection over union (1 when both are empty). Prints the share at >= 0.95, the median
and the worst files; writes one line per file to OUT.tsv.
"""
import os, re, subprocess, sys, tempfile
from PIL import Image

ZOOM = 4  # 24-px icons are compared at 96 px


def frame(text):
    m = re.search(r'<svg\b[^>]*?\bviewBox\s*=\s*["\']([^"\']+)', text, re.S)
    if m:
        v = [float(x) for x in re.split(r'[\s,]+', m.group(1).strip())[:4]]
        return v
    w = re.search(r'<svg\b[^>]*?\bwidth\s*=\s*["\']([\d.]+)', text, re.S)
    h = re.search(r'<svg\b[^>]*?\bheight\s*=\s*["\']([\d.]+)', text, re.S)
    return [0, 0, float(w.group(1)) if w else 300, float(h.group(1)) if h else 150]


def score(cli, path, tmp):
    text = open(path, encoding='utf-8', errors='replace').read()
    x, y, w, h = frame(text)
    # Strokes off for both, and every fill opaque: paths carry no opacity, so only the shapes
    # are compared; the marker points are open paths too small to fill.
    style = ('<style>*{stroke:none !important;opacity:1 !important;'
             'fill-opacity:1 !important}</style>')
    marks = ('<path fill="none" d="M%r %r h0.001 M%r %r h0.001"/>' % (x, y, x + w, y + h))
    body = re.sub(r'(<svg\b[^>]*>)', lambda m: m.group(1) + style, text, count=1)
    body = body.replace('</svg>', marks + '</svg>') if body.rstrip().endswith('</svg>') else body
    body = re.sub(r'</svg>\s*$', marks + '</svg>', body)
    src = os.path.join(tmp, 'in.svg')
    open(src, 'w', encoding='utf-8').write(body)
    ref = os.path.join(tmp, 'ref.png')
    r = subprocess.run(['rsvg-convert', '-z', str(ZOOM), '-b', 'white', '-o', ref, src],
                       capture_output=True, timeout=60)
    if r.returncode:
        return None, 'rsvg refused'
    plx, bmp = os.path.join(tmp, 'o.plx'), os.path.join(tmp, 'o.bmp')
    r = subprocess.run([cli, 'svg2plx', src, '-o', plx], capture_output=True, timeout=120)
    if r.returncode:
        return 0.0, (r.stderr.decode(errors='replace').strip() or 'no shapes')[:120]
    a = Image.open(ref).convert('L')
    # Our units are 100 root pixels; the markers set the frame.
    scale = 100 * ZOOM
    r = subprocess.run([cli, 'bmp', plx, '-o', bmp, '--scale', repr(scale), '--margin', '0'],
                       capture_output=True, timeout=120)
    if r.returncode:
        return 0.0, r.stderr.decode(errors='replace').strip()[:120]
    b = Image.open(bmp).convert('L')
    W, H = min(a.width, b.width), min(a.height, b.height)
    pa, pb = a.load(), b.load()
    inter = union = 0
    for j in range(H):
        for i in range(W):
            if (i < 2 or i >= W - 2) and (j < 2 or j >= H - 2):
                continue  # the marker points
            fa, fb = pa[i, j] < 128, pb[i, j] < 128
            inter += fa and fb
            union += fa or fb
    return (1.0 if union == 0 else inter / union), ''


def main():
    cli, out = sys.argv[1], sys.argv[2]
    files = []
    for a in sys.argv[3:]:
        if os.path.isdir(a):
            for root, _, names in os.walk(a):
                files += [os.path.join(root, n) for n in names if n.endswith('.svg')]
        else:
            files.append(a)
    rows = []
    with tempfile.TemporaryDirectory() as tmp:
        for f in sorted(files):
            try:
                s, why = score(cli, f, tmp)
            except subprocess.TimeoutExpired:
                s, why = 0.0, 'timeout'
            except Exception as e:  # a file rsvg draws oddly must not stop the survey
                s, why = None, 'skipped: %s' % e
            if s is not None:
                rows.append((s, f, why))
    rows.sort()
    with open(out, 'w') as o:
        for s, f, why in rows:
            o.write('%.4f\t%s\t%s\n' % (s, f, why))
    if not rows:
        return 1
    good = sum(1 for s, _, _ in rows if s >= 0.95)
    print('files %d  IoU>=0.95: %.1f%%  median %.4f' %
          (len(rows), 100.0 * good / len(rows), rows[len(rows) // 2][0]))
    for s, f, why in rows[:15]:
        print('%.4f  %s  %s' % (s, f, why))
    return 0


if __name__ == '__main__':
    sys.exit(main())
