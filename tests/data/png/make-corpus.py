#!/usr/bin/python3
# Writes the PNG test corpus: every colour type and bit depth, plain and Adam7, with the five
# row filters used in turn and the image data split over several IDAT chunks. The pixels are
# written by pypng (python3-png); only the filtering and chunking are redone here.
import io, os, random, struct, sys, zlib
import png

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunks(data):
    pos = 8
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + n]
        pos += 12 + n


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def refilter(raw, width, height, bits, interlaced, first_filter):
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    out, pos, k = bytearray(), 0, first_filter
    bpp = max(1, bits // 8)
    for x0, y0, dx, dy in passes:
        w = (width - x0 + dx - 1) // dx if width > x0 else 0
        h = (height - y0 + dy - 1) // dy if height > y0 else 0
        if w == 0 or h == 0:
            continue
        n = (w * bits + 7) // 8
        prev = bytes(n)
        for _ in range(h):
            assert raw[pos] == 0
            row = raw[pos + 1:pos + 1 + n]
            pos += 1 + n
            f = k % 5
            k += 1
            line = bytearray([f])
            for i in range(n):
                a = row[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][f]
                line.append((row[i] - pred) & 0xFF)
            out += line
            prev = row
    assert pos == len(raw)
    return bytes(out)


def write(path, width, height, color_type, depth, interlaced, seed):
    rnd = random.Random(seed)
    top = (1 << depth) - 1
    palette = None
    if color_type == 3:
        palette = [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(1 << depth)]
    planes = CHANNELS[color_type]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            for p in range(planes):
                alpha = p == planes - 1 and color_type in (4, 6)
                row.append(rnd.choice([0, top, rnd.randrange(top + 1)]) if alpha else rnd.randrange(top + 1))
        rows.append(row)
    writer = png.Writer(width, height, greyscale=color_type in (0, 4), alpha=color_type in (4, 6),
                        bitdepth=depth, palette=palette, interlace=interlaced)
    buf = io.BytesIO()
    writer.write(buf, rows)
    data = buf.getvalue()
    raw = zlib.decompress(b"".join(body for kind, body in chunks(data) if kind == b"IDAT"))
    filtered = zlib.compress(refilter(raw, width, height, planes * depth, interlaced, seed), 9)
    out = data[:8]
    for kind, body in chunks(data):
        if kind == b"IDAT":
            continue
        if kind == b"IEND":
            for i in range(0, len(filtered), 700):
                out += chunk(b"IDAT", filtered[i:i + 700])
        out += chunk(kind, body)
    with open(path, "wb") as f:
        f.write(out)


def main(folder):
    kinds = [(0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16), (3, 1), (3, 2), (3, 4), (3, 8),
             (4, 8), (4, 16), (6, 8), (6, 16)]
    seed = 0
    for color_type, depth in kinds:
        for interlaced in (False, True):
            seed += 1
            name = "t%dd%02d%s.png" % (color_type, depth, "i" if interlaced else "")
            write(os.path.join(folder, name), 37, 29, color_type, depth, interlaced, seed)
    # Sizes where some Adam7 passes are empty.
    for w, h in [(1, 1), (3, 2), (9, 1)]:
        seed += 1
        write(os.path.join(folder, "small%dx%d.png" % (w, h)), w, h, 2, 8, True, seed)
        write(os.path.join(folder, "small%dx%dg1.png" % (w, h)), w, h, 0, 1, True, seed)


main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
