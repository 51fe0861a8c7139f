#!/usr/bin/python3
"""Independent reference: samples every subpath of the shapes in an SVG file with svgelements.

Prints one line per subpath: 'closed' or 'open', then x y pairs in pixels (y down), sampled
at STEPS points per segment, arcs evaluated on the true ellipse.

With --segments, each subpath's segments instead, as svgelements read them: per segment the
four control points of the cubic it is (a line's handles lie on its ends); a closing segment
of zero length is left out.
"""
import sys

from svgelements import SVG, Close, CubicBezier, Line, Move, Path, Shape

STEPS = 256


def main(name):
    svg = SVG.parse(name, reify=True, ppi=96.0)
    for element in svg.elements():
        if not isinstance(element, Shape):
            continue
        path = Path(element)
        path.reify()
        for sub in path.as_subpaths():
            segments = [s for s in sub if not isinstance(s, Move)]
            if not segments:
                continue
            closed = any(isinstance(s, Close) for s in segments)
            points = []
            for seg in segments:
                for i in range(STEPS + 1):
                    p = seg.point(i / STEPS)
                    points.append("%.17g %.17g" % (p.x, p.y))
            print(("closed " if closed else "open ") + " ".join(points))


def segments(name):
    svg = SVG.parse(name, reify=True, ppi=96.0)
    for element in svg.elements():
        if not isinstance(element, Shape):
            continue
        path = Path(element)
        path.reify()
        for sub in path.as_subpaths():
            parts = [s for s in sub if not isinstance(s, Move)]
            if not parts:
                continue
            closed = any(isinstance(s, Close) for s in parts)
            words = []
            for seg in parts:
                if isinstance(seg, CubicBezier):
                    pts = [seg.start, seg.control1, seg.control2, seg.end]
                elif isinstance(seg, (Line, Close)):
                    if isinstance(seg, Close) and seg.start == seg.end:
                        continue
                    pts = [seg.start, seg.start, seg.end, seg.end]
                else:
                    raise SystemExit("unexpected segment " + type(seg).__name__)
                words += ["%.17g %.17g" % (p.x, p.y) for p in pts]
            print(("closed " if closed else "open ") + " ".join(words))


if __name__ == "__main__":
    if sys.argv[1] == "--segments":
        segments(sys.argv[2])
    else:
        main(sys.argv[1])
