# The even-odd reference for the bitmap export, computed by cairo: each path filled on its own
# (even-odd, no antialiasing) into an A8 surface of factor x factor samples per pixel, then every
# pixel counted as the export counts it: min(255, white samples * 256 / factor^2).
# Usage: cairo_reference.py PATHS.txt OUT.raw WIDTH HEIGHT FACTOR
# PATHS.txt: one path a line, "M x y", "L x y", "C x1 y1 x2 y2 x3 y3" and "Z" tokens.
import sys

import cairo

paths, out = sys.argv[1], sys.argv[2]
width, height, factor = (int(v) for v in sys.argv[3:6])
surface = cairo.ImageSurface(cairo.FORMAT_A8, width * factor, height * factor)
ctx = cairo.Context(surface)
ctx.set_antialias(cairo.ANTIALIAS_NONE)
ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
for line in open(paths):
    words = line.split()
    i = 0
    while i < len(words):
        op = words[i]
        args = [float(v) for v in words[i + 1:i + 1 + {"M": 2, "L": 2, "C": 6, "Z": 0}[op]]]
        i += 1 + len(args)
        if op == "M":
            ctx.move_to(*args)
        elif op == "L":
            ctx.line_to(*args)
        elif op == "C":
            ctx.curve_to(*args)
        else:
            ctx.close_path()
    ctx.fill()
surface.flush()
stride, data = surface.get_stride(), surface.get_data()
samples = factor * factor
result = bytearray(width * height)
for y in range(height):
    rows = [data[(y * factor + j) * stride:(y * factor + j) * stride + width * factor]
            for j in range(factor)]
    for x in range(width):
        black = sum(1 for row in rows for v in row[x * factor:(x + 1) * factor] if v >= 128)
        result[y * width + x] = min(255, (samples - black) * 256 // samples)
open(out, "wb").write(result)
