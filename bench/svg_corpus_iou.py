#!/usr/bin/env python3
"""Filled-pixel agreement of SVG import with librsvg over a corpus of real files.

Usage: bench/svg_corpus_iou.py PLUMEX_CLI OUT.tsv [--sample N] [--jobs J] [--list FILE] SET...

Each SET is a file or a folder (searched for *.svg). `--sample N` takes about N files in all:
every set gets an equal quota and gives every k-th of its files sorted by name, so the sample
is the same on every run. `--list FILE` reads further files, one a line.

Each file is drawn by rsvg-convert with strokes off (only fills are compared) and by
`plumex-cli svg2plx --filled-only` + `plumex-cli bmp`, in one frame: two marker points at the
corners of the root's viewBox pin our bitmap to rsvg's page. Filled are rsvg's pixels more than
half covered (whatever their colour) and ours darker than half; the score is intersection over
union. The default import, which brings stroked outlines in as paths too (closed ones fill in
our bitmap), is scored beside it. Files where rsvg fills no pixel at all (every shape unfilled,
as in line drawings) have no filled area to compare: they are counted apart, not as failures.
Writes one line per file to OUT.tsv.
"""
import os, re, shutil, subprocess, sys, tempfile
from multiprocessing import Pool

import numpy as np
from PIL import Image

ZOOM = 4  # 24-px icons are compared at 96 px
MAX_SIDE = 1024  # larger pages are drawn smaller, so a poster costs what an icon does
CLI = None


def frame(text):
    m = re.search(r'<svg\b[^>]*?\bviewBox\s*=\s*["\']([^"\']+)', text, re.S)
    if m:
        v = [float(x) for x in re.split(r'[\s,]+', m.group(1).strip())[:4]]
        if len(v) == 4 and v[2] > 0 and v[3] > 0:
            return v
    w = re.search(r'<svg\b[^>]*?\bwidth\s*=\s*["\']([\d.]+)', text, re.S)
    h = re.search(r'<svg\b[^>]*?\bheight\s*=\s*["\']([\d.]+)', text, re.S)
    return [0, 0, float(w.group(1)) if w else 300, float(h.group(1)) if h else 150]


def filled(path):
    return np.asarray(Image.open(path).convert('L')) < 128


def covered(path):
    # rsvg's pixels by coverage, not darkness: a white or pale fill is as much a shape.
    return np.asarray(Image.open(path).convert('RGBA'))[:, :, 3] >= 128


def score(path, tmp):
    """(IoU filled only, note, IoU default, note, rsvg fills nothing); raises on a file rsvg
    cannot draw."""
    text = open(path, encoding='utf-8', errors='replace').read()
    x, y, w, h = frame(text)
    # rsvg's page is the root's width and height; the zoom keeps its longer side bounded.
    zoom = min(ZOOM, MAX_SIDE / max(w, h, 1e-9))
    # Strokes off for both, and every fill opaque: paths carry no opacity, so only the shapes
    # are compared; the marker points are filled elements of one segment, too thin to fill.
    style = ('<style>*{stroke:none !important;opacity:1 !important;'
             'fill-opacity:1 !important;stop-opacity:1 !important}</style>')
    marks = ('<path fill="#000" d="M%r %r h0.001 M%r %r h0.001"/>' % (x, y, x + w, y + h))
    body = re.sub(r'(<svg\b[^>]*>)', lambda m: m.group(1) + style, text, count=1)
    body = re.sub(r'</svg>\s*$', marks + '</svg>', body)
    src = os.path.join(tmp, 'in.svg')
    open(src, 'w', encoding='utf-8').write(body)
    ref = os.path.join(tmp, 'ref.png')
    r = subprocess.run(['rsvg-convert', '-z', repr(zoom), '-o', ref, src],
                       capture_output=True, timeout=60)
    if r.returncode:
        raise RuntimeError('rsvg refused')
    a = covered(ref)
    nofill = not a.any()
    # Filled shapes only (a closed outline without fill would fill in our bitmap), and as the
    # user gets it by default, with stroked outlines as paths too.
    return ours(a, src, zoom, x, y, tmp, ['--filled-only']) + ours(a, src, zoom, x, y, tmp, []) + (nofill,)


def ours(a, src, zoom, x, y, tmp, flags):
    """(IoU, note) of our import against rsvg's coverage `a`."""
    plx, bmp = os.path.join(tmp, 'o.plx'), os.path.join(tmp, 'o.bmp')
    for f in (plx, bmp):
        if os.path.exists(f):
            os.remove(f)
    r = subprocess.run([CLI, 'svg2plx', src, '-o', plx] + flags, capture_output=True, timeout=120)
    if r.returncode:
        # Nothing to import where rsvg draws nothing either is agreement.
        return (0.0 if a.any() else 1.0), (r.stderr.decode(errors='replace').strip()
                                           or 'no shapes')[:120]
    # Our units are 100 root pixels; the markers set the frame.
    r = subprocess.run([CLI, 'bmp', plx, '-o', bmp, '--scale', repr(100 * zoom), '--margin', '0'],
                       capture_output=True, timeout=120)
    if r.returncode:
        return 0.0, r.stderr.decode(errors='replace').strip()[:120]
    b = filled(bmp)
    # Shapes off the page widen our bitmap to the left and top: cut to the page's corner.
    info = subprocess.run([CLI, 'info', plx], capture_output=True, text=True, timeout=120).stdout
    m = re.search(r'bounds: left (\S+), top (\S+),', info)
    if m:
        left, top = float(m.group(1)), float(m.group(2))
        b = b[max(0, round((100 * top + y) * zoom)):, max(0, round((x - 100 * left) * zoom)):]
    H, W = min(a.shape[0], b.shape[0]), min(a.shape[1], b.shape[1])
    a, b = a[:H, :W].copy(), b[:H, :W].copy()
    for j in (slice(0, 2), slice(H - 2, H)):  # the marker points
        for i in (slice(0, 2), slice(W - 2, W)):
            a[j, i] = b[j, i] = False
    union = np.count_nonzero(a | b)
    return (1.0 if union == 0 else np.count_nonzero(a & b) / union), ''


def run_one(path):
    tmp = tempfile.mkdtemp(prefix='svgiou')
    try:
        return (path,) + score(path, tmp)
    except subprocess.TimeoutExpired:
        return path, 0.0, 'timeout', 0.0, 'timeout', False
    except Exception as e:  # a file rsvg cannot draw must not stop the survey
        return path, None, 'skipped: %s' % str(e)[:120], None, '', False
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def svg_files(arg):
    if not os.path.isdir(arg):
        return [arg]
    found = []
    for root, _, names in os.walk(arg):
        found += [os.path.join(root, n) for n in names if n.endswith('.svg')]
    return sorted(found)


def init(cli):
    global CLI
    CLI = cli


def summary(label, scores):
    if not scores:
        return '%s: none' % label
    scores = sorted(scores)
    good = sum(1 for s in scores if s >= 0.95)
    return '%s: files %d  IoU>=0.95: %.1f%%  median %.4f' % (
        label, len(scores), 100.0 * good / len(scores), scores[len(scores) // 2])


def main(argv):
    args, sample, jobs, lists = [], 0, 2, []
    it = iter(argv)
    for a in it:
        if a == '--sample':
            sample = int(next(it))
        elif a == '--jobs':
            jobs = int(next(it))
        elif a == '--list':
            lists.append(next(it))
        else:
            args.append(a)
    if len(args) < 2:
        print(__doc__)
        return 2
    cli, out, sets = os.path.abspath(args[0]), args[1], args[2:]
    files = []
    for s in sets:
        found = svg_files(s)
        if sample and os.path.isdir(s):
            quota = max(1, sample // len(sets))
            found = found[::max(1, len(found) // quota)]
            print('%s: %d files' % (s, len(found)))
        files += found
    for name in lists:
        files += [l.strip() for l in open(name) if l.strip()]
    files = sorted(set(files))
    with Pool(jobs, initializer=init, initargs=(cli,)) as pool:
        rows = pool.map(run_one, files, chunksize=4)
    scored = sorted((s, f, why) for f, s, why, _, _, nofill in rows if s is not None and not nofill)
    plain = [(s, f, why, nofill) for f, _, _, s, why, nofill in rows if s is not None]
    nofill = [(s, f, why) for s, f, why, n in plain if n]
    skipped = [(f, why) for f, s, why, _, _, _ in rows if s is None]
    with open(out, 'w') as o:
        o.write('# IoU of the filled shapes, file, note, IoU with stroked outlines imported too\n')
        by_file = {f: (s, why) for s, f, why, _ in plain}
        for s, f, why in scored:
            o.write('%.4f\t%s\t%s\t%.4f\n' % (s, f, why, by_file[f][0]))
        for s, f, why in sorted(nofill):
            o.write('-\t%s\tno filled area %s\t%.4f\n' % (f, why, s))
        for f, why in skipped:
            o.write('-\t%s\t%s\t-\n' % (f, why))
    if not scored:
        return 1
    print(summary('filled area, filled shapes imported', [s for s, _, _ in scored]))
    print(summary('filled area, default import', [s for s, _, _, n in plain if not n]))
    print('no filled area (rsvg fills nothing): %d, of them we fill nothing: %d' %
          (len(nofill), sum(1 for s, _, _ in nofill if s == 1.0)))
    print(summary('all, default import', [s for s, _, _, _ in plain]))
    print('skipped (rsvg cannot draw): %d' % len(skipped))
    for s, f, why in scored[:25]:
        print('%.4f  %s  %s' % (s, f, why))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
