#!/usr/bin/python3
"""Independent reference: samples every subpath of the shapes in an SVG file with svgelements.

Prints one line per subpath: 'closed' or 'open', then x y pairs in pixels (y down), sampled
at STEPS points per segment, arcs evaluated on the true ellipse.
"""
import sys

from svgelements import SVG, Close, Move, Path, Shape

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


if __name__ == "__main__":
    main(sys.argv[1])
