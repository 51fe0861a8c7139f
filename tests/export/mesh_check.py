#!/usr/bin/python3
"""The mesh export against programs nobody here wrote: every example goes through plumex-cli
mesh as a prism and as a lathe, to binary STL and to OBJ. admesh must find no open edge, no
degenerate facet, no backwards edge and the exact volume within 0.5%: the prism's area times
its height, the lathe's 2 pi times the first moment of its profile (Pappus), both over the
region inside an odd number of contours, integrated by scanlines over the cubics of the
POV-Ray text of the same paths. numpy-stl must read the same
volume and bounds, and the OBJ read back here must be closed."""

import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

try:
    import numpy
    from stl import mesh as stlmesh
except ImportError:
    print("python3-stl (numpy-stl) is not installed")
    sys.exit(77)
if not shutil.which("admesh"):
    print("admesh is not installed")
    sys.exit(77)

CLI = sys.argv[1]
EXAMPLES = sys.argv[2]
ENV = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def run(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True, text=True, env=ENV).stdout


def objects(pov_text):
    """The segments (four control points each) of every object of the POV-Ray text, and the
    lathe's translation."""
    out = []
    for body in re.split(r"\n(?=prism|lathe)", pov_text.replace("\r", "")):
        nums = [float(v) for v in re.findall(r"<([^>]*)>", body) for v in v.split(",")]
        pts = list(zip(nums[0::2], nums[1::2]))
        segs = [pts[i:i + 4] for i in range(0, len(pts), 4)]
        shift = re.search(r"translate (\S+)\*x", body)
        if segs:
            out.append((segs, float(shift.group(1)) if shift else 0.0))
    return out


def bezier(s, t):
    u = 1 - t
    return tuple(u * u * u * s[0][k] + 3 * u * u * t * s[1][k] + 3 * u * t * t * s[2][k] +
                 t * t * t * s[3][k] for k in range(2))


def polygon(segs, form):
    """The object's outline as a dense closed polygon: an open prism outline closed straight,
    an open lathe profile closed across to the axis and along it."""
    pts = []
    for s in segs:
        pts += [bezier(s, i / 400) for i in range(400)]
    first, last = segs[0][0], segs[-1][3]
    if last != first:
        pts.append(last)
        if form == "lathe":
            pts += [(0.0, last[1]), (0.0, first[1])]
    return numpy.array(pts)


def odd_integrals(polys, lines=20000):
    """Area and first moment in x of the region inside an odd number of the polygons, by
    scanlines: on each, the crossings sorted, every other interval counted."""
    edges = numpy.concatenate([numpy.stack([p, numpy.roll(p, -1, axis=0)], axis=1)
                               for p in polys])
    y0, y1 = edges[:, :, 1].min(), edges[:, :, 1].max()
    h = (y1 - y0) / lines
    area = moment = 0.0
    for y in y0 + h * (numpy.arange(lines) + 0.5):
        a, b = edges[:, 0], edges[:, 1]
        cross = (a[:, 1] <= y) != (b[:, 1] <= y)
        a, b = a[cross], b[cross]
        xs = numpy.sort(a[:, 0] + (y - a[:, 1]) * (b[:, 0] - a[:, 0]) / (b[:, 1] - a[:, 1]))
        lo, hi = xs[0::2], xs[1::2]
        area += (hi - lo).sum() * h
        moment += ((hi * hi - lo * lo) / 2).sum() * h
    return area, moment


def expected(form, objs, height):
    volume, lo, hi = 0.0, [math.inf] * 3, [-math.inf] * 3
    for segs, shift in objs:
        area, moment = odd_integrals([polygon(segs, form)])
        volume += area * height if form == "prism" else 2 * math.pi * moment
        for s in segs:
            for i in range(201):
                x, y = bezier(s, i / 200)
                box = [x, y, 0] if form == "prism" else [shift + x, y, x]
                box_lo = box if form == "prism" else [shift - x, y, -x]
                for k in range(3):
                    lo[k], hi[k] = min(lo[k], box_lo[k]), max(hi[k], box[k])
        if form == "prism":
            lo[2], hi[2] = 0.0, height
    return volume, lo, hi


def admesh_report(path):
    text = subprocess.run(["admesh", path], check=True, capture_output=True, text=True).stdout
    def field(name):
        return float(re.search(re.escape(name) + r"\s*:\s*(\S+)", text).group(1))
    return text, field


def read_obj(path):
    verts, faces = [], []
    with open(path) as f:
        for line in f:
            w = line.split()
            if w and w[0] == "v":
                verts.append(tuple(float(v) for v in w[1:4]))
            elif w and w[0] == "f":
                faces.append(tuple(int(i) - 1 for i in w[1:]))
    return verts, faces


def obj_closed(verts, faces):
    edges = {}
    for f in faces:
        if len(f) != 3 or len(set(f)) != 3 or not all(0 <= i < len(verts) for i in f):
            return False
        for k in range(3):
            e = (f[k], f[(k + 1) % 3])
            edges[e] = edges.get(e, 0) + 1
    return all(edges.get((b, a), 0) == n for (a, b), n in edges.items())


def main():
    cases = []
    for name in sorted(os.listdir(EXAMPLES)):
        if name.endswith(".plx"):
            path = os.path.join(EXAMPLES, name)
            cases += [(path, "prism", ["--height", "2.5"]), (path, "lathe", []),
                      (path, "prism", ["--mm-per-unit", "25.4"])]
    check(cases, "examples found")
    with tempfile.TemporaryDirectory() as tmp:
        for plx, form, extra in cases:
            what = "%s %s %s" % (os.path.basename(plx), form, " ".join(extra))
            height = float(extra[1]) if extra[:1] == ["--height"] else 1.0
            mm = float(extra[1]) if extra[:1] == ["--mm-per-unit"] else 1.0
            volume, lo, hi = expected(form, objects(run("pov", plx, "--form", form,
                                                        "--accuracy", "17")), height)
            volume *= mm ** 3
            lo, hi = [v * mm for v in lo], [v * mm for v in hi]
            stl, obj = os.path.join(tmp, "out.stl"), os.path.join(tmp, "out.obj")
            counts = run("mesh", plx, "--form", form, *extra, "-o", stl)
            run("mesh", plx, "--form", form, *extra, "-o", obj)
            text, field = admesh_report(stl)
            for edge in ("1 disconnected edge", "2 disconnected edges", "3 disconnected edges"):
                check(re.search(r"Facets with %s\s*:\s*0\s" % edge, text), what + ": " + edge)
            for name in ("Degenerate facets", "Backwards edges", "Facets reversed",
                         "Normals fixed", "Edges fixed"):
                check(field(name) == 0, "%s: admesh %s %g" % (what, name, field(name)))
            check(abs(field("Volume") - volume) <= 0.005 * volume,
                  "%s: admesh volume %g, exact %g" % (what, field("Volume"), volume))
            m = stlmesh.Mesh.from_file(stl)
            v = m.get_mass_properties()[0]
            check(abs(v - volume) <= 0.005 * volume, "%s: numpy-stl volume %g, exact %g" %
                  (what, v, volume))
            size = max(h - l for l, h in zip(lo, hi))
            for k, axis in enumerate("xyz"):
                got_lo, got_hi = float(m.vectors[:, :, k].min()), float(m.vectors[:, :, k].max())
                # The outline is flattened to 0.001 of the drawing, the turn to 128 pieces.
                slack = 0.01 * size
                check(abs(got_lo - lo[k]) <= slack and abs(got_hi - hi[k]) <= slack,
                      "%s: %s bounds %g..%g, expected %g..%g" %
                      (what, axis, got_lo, got_hi, lo[k], hi[k]))
            verts, faces = read_obj(obj)
            check("%d triangles, %d vertices" % (len(faces), len(verts)) in counts,
                  "%s: OBJ holds %d faces, %d vertices; the export said %s" %
                  (what, len(faces), len(verts), counts.strip()))
            check(len(faces) == len(m.vectors), what + ": OBJ and STL triangle counts differ")
            check(obj_closed(verts, faces), what + ": the OBJ is not closed")
            print("ok: %s volume %.6g (exact %.6g), %s" % (what, v, volume, counts.strip()))
    if failures:
        sys.exit(1)


main()
