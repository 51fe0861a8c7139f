#!/usr/bin/python3
"""Path operations against cairo: random curved pairs (and a few hard meetings) go through
plumex-cli svg2plx, boolean and svg; cairo fills the inputs by each operation's rule and the
result by the even-odd rule at 1000 pixels, and the two must agree to an IoU of 0.999."""

import math
import os
import random
import re
import subprocess
import sys
import tempfile

try:
    import cairo
except ImportError:
    print("python3-cairo is not installed")
    sys.exit(77)

SIZE = 1000
FRAME = 100.0  # the shapes lie in 0..100 both ways
OPS = ["union", "difference", "intersection", "exclusion", "division"]


def blob(rng, cx, cy, r):
    n = rng.randint(3, 8)
    step = 2 * math.pi / n
    pts = []
    for i in range(n):
        a = (i + rng.uniform(-0.3, 0.3)) * step
        rr = r * rng.uniform(0.6, 1.0)
        p = (cx + rr * math.cos(a), cy + rr * math.sin(a))
        h = rr * step / 3 * rng.uniform(0.6, 1.0)
        t = (-math.sin(a) * h, math.cos(a) * h)
        pts.append((p, (p[0] - t[0], p[1] - t[1]), (p[0] + t[0], p[1] + t[1])))
    d = "M %r %r" % pts[0][0]
    for k in range(n):
        a, b = pts[k], pts[(k + 1) % n]
        d += " C %r %r %r %r %r %r" % (a[2] + b[1] + b[0])
    return d + " Z"


def rect(x0, y0, x1, y1):
    return "M %r %r L %r %r L %r %r L %r %r Z" % (x0, y0, x1, y0, x1, y1, x0, y1)


def circle(cx, cy, r):
    k = 0.5522847498307936 * r
    return ("M %r %r C %r %r %r %r %r %r C %r %r %r %r %r %r C %r %r %r %r %r %r "
            "C %r %r %r %r %r %r Z" % (
                cx + r, cy, cx + r, cy + k, cx + k, cy + r, cx, cy + r,
                cx - k, cy + r, cx - r, cy + k, cx - r, cy,
                cx - r, cy - k, cx - k, cy - r, cx, cy - r,
                cx + k, cy - r, cx + r, cy - k, cx + r, cy))


def mask(paths):
    """The pixels inside `paths` filled together by the even-odd rule, as an integer of bits."""
    surface = cairo.ImageSurface(cairo.FORMAT_A8, SIZE, SIZE)
    ctx = cairo.Context(surface)
    ctx.set_antialias(cairo.ANTIALIAS_NONE)
    ctx.set_tolerance(0.001)  # flattening finer than a pixel: the curves decide, not cairo
    ctx.scale(SIZE / FRAME, SIZE / FRAME)
    for d in paths:
        tokens = re.findall(r"[MCLZ]|-?[0-9.]+(?:e-?[0-9]+)?", d)
        i = 0
        while i < len(tokens):
            c = tokens[i]
            i += 1
            if c == "Z":
                ctx.close_path()
                continue
            n = {"M": 2, "L": 2, "C": 6}[c]
            v = [float(x) for x in tokens[i:i + n]]
            i += n
            {"M": ctx.move_to, "L": ctx.line_to, "C": ctx.curve_to}[c](*v)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.fill()
    surface.flush()
    return int.from_bytes(bytes(surface.get_data()), "little")


def pixels(bits):
    return bits.bit_count() // 8


def expected(op, masks):
    first, rest = masks[0], masks[1:]
    if op == "union":
        out = first
        for m in rest:
            out |= m
    elif op == "difference":
        out = first
        for m in rest:
            out &= ~m
    elif op == "intersection":
        out = first
        for m in rest:
            out &= m
    elif op == "exclusion":
        out = first
        for m in rest:
            out ^= m
    else:
        out = first
    return out


def main():
    cli = sys.argv[1]
    rng = random.Random(27)
    cases = [("corner touch", [rect(20, 20, 50, 50), rect(50, 50, 80, 80)]),
             ("shared edge", [rect(20, 20, 50, 50), rect(50, 30, 80, 60)]),
             ("tangent circles", [circle(35, 50, 15), circle(65, 50, 15)]),
             ("ring", [rect(10, 10, 90, 90), circle(50, 50, 25)]),
             ("three", [circle(40, 40, 25), circle(60, 40, 25), circle(50, 60, 25)])]
    for i in range(8):
        cases.append(("random %d" % i,
                      [blob(rng, rng.uniform(35, 65), rng.uniform(35, 65), rng.uniform(15, 30))
                       for _ in range(2)]))
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for name, paths in cases:
            svg = os.path.join(work, "in.svg")
            with open(svg, "w") as f:
                f.write('<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100">\n')
                for d in paths:
                    f.write('<path fill-rule="evenodd" d="%s"/>\n' % d)
                f.write("</svg>\n")
            doc = os.path.join(work, "in.plx")
            subprocess.run([cli, "svg2plx", svg, "-o", doc], check=True)
            masks = [mask([d]) for d in paths]
            for op in OPS:
                out = os.path.join(work, "out.plx")
                done = subprocess.run([cli, "boolean", op, doc, "-o", out],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
                if done.returncode != 0:
                    # An empty result is refused, the drawing kept: nothing is filled.
                    if "nothing of the paths is left" not in done.stderr:
                        raise RuntimeError(done.stderr)
                    text = ""
                else:
                    run = subprocess.run([cli, "svg", out], capture_output=True, text=True)
                    text = run.stdout
                if done.returncode == 0 and run.returncode != 0:
                    # Nothing to write is only right for an empty result.
                    info = subprocess.run([cli, "info", out], check=True, capture_output=True,
                                          text=True).stdout
                    if "paths: 0" not in info:
                        raise RuntimeError(run.stderr)
                result = re.findall(r'<path d="([^"]*)"', text)
                got, want = mask(result), expected(op, masks)
                union = pixels(got | want)
                iou = pixels(got & want) / union if union else 1.0
                overlap = 0
                if op == "division":
                    # The pieces tile the first path: no pixel in two of them.
                    seen = 0
                    for d in result:
                        m = mask([d])
                        overlap += pixels(seen & m)
                        seen |= m
                ok = iou >= 0.999 and overlap <= 0.001 * max(1, pixels(want))
                print("%-16s %-13s IoU %.6f%s %s" % (name, op, iou,
                      " overlap %d" % overlap if op == "division" else "",
                      "ok" if ok else "FAILED"))
                failures += not ok
    print("%d failed" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
