#include "geometry/GeomPaths.h"

#include "model/SegmentCycle.h"

#include <2geom/bezier-curve.h>
#include <2geom/path.h>

#include <algorithm>
#include <utility>

namespace plumex::geom {

namespace {

using Cycle = SegmentCycle;

Geom::Point toPoint(TCvCoord c, double scale) {
    return {c.x * scale, c.y * scale};
}

double cross(TCvCoord o, TCvCoord p, TCvCoord q) {
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
}

// A cubic whose control points lie on one line is that line's chord, plus perhaps a stretch
// run there and back that bounds nothing. lib2geom's solvers do not come back from such
// curves, so they are made lines (or dropped when they return to where they start).
bool flat(const Segment& s) {
    if (!equal(s.a, s.b)) return cross(s.a, s.b, s.h1) == 0 && cross(s.a, s.b, s.h2) == 0;
    return cross(s.a, s.h1, s.h2) == 0;
}

bool degenerate(const Segment& s) {
    return equal(s.a, s.b) && flat(s);
}

void emit(const Cycle& cycle, double scale, Geom::PathVector& out) {
    if (cycle.empty()) return;
    Geom::Path path(toPoint(cycle.front().a, scale));
    for (const Segment& s : cycle) {
        // The cycle is contiguous; a gap (the closing of an open path) becomes a line.
        if (path.finalPoint() != toPoint(s.a, scale))
            path.appendNew<Geom::LineSegment>(toPoint(s.a, scale));
        if (s.straight() || flat(s))
            path.appendNew<Geom::LineSegment>(toPoint(s.b, scale));
        else
            path.appendNew<Geom::CubicBezier>(toPoint(s.h1, scale), toPoint(s.h2, scale),
                                              toPoint(s.b, scale));
    }
    path.close(true);
    out.push_back(std::move(path));
}

} // namespace

void appendContours(const TCvLine& line, double scale, Geom::PathVector& out) {
    Cycle all;
    const int n = line.segmentCount();
    for (int i = 0; i < n; ++i) {
        const Segment s = line.segment(i);
        if (!degenerate(s)) all.push_back(s);
    }
    if (!line.closed && !all.empty() && !equal(all.back().b, all.front().a))
        all.push_back({all.back().b, all.back().b, all.front().a, all.front().a});
    for (const Cycle& cycle : splitAtBridges(std::move(all))) emit(cycle, scale, out);
}

TCvLine toLine(const Geom::Path& path, double scale, double tiny) {
    struct Piece {
        Geom::Point p0, p1, p2, p3;
        bool straight;
    };
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < path.size_default(); ++i) {
        const Geom::Curve& c = path[i];
        Piece piece{c.initialPoint(), c.initialPoint(), c.finalPoint(), c.finalPoint(), true};
        if (const auto* b = dynamic_cast<const Geom::BezierCurve*>(&c)) {
            if (b->order() == 3) {
                piece = {b->controlPoint(0), b->controlPoint(1), b->controlPoint(2),
                         b->controlPoint(3), false};
            } else if (b->order() == 2) {
                // A quadratic raised to a cubic exactly.
                const Geom::Point q0 = b->controlPoint(0), q1 = b->controlPoint(1),
                                  q2 = b->controlPoint(2);
                piece = {q0, q0 + (q1 - q0) * (2.0 / 3.0), q2 + (q1 - q2) * (2.0 / 3.0), q2, false};
            }
        }
        const double extent =
            std::max({Geom::distance(piece.p0, piece.p1), Geom::distance(piece.p0, piece.p2),
                      Geom::distance(piece.p0, piece.p3)});
        if (extent <= tiny) continue;
        pieces.push_back(piece);
    }
    TCvLine line;
    line.closed = 1;
    const auto back = [scale](Geom::Point p) { return TCvCoord{p[0] / scale, p[1] / scale}; };
    const std::size_t n = pieces.size();
    line.points.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Piece& piece = pieces[i];
        TCvPoint& here = line.points[i];
        TCvPoint& next = line.points[(i + 1) % n];
        here.anchor = back(piece.p0);
        here.outHandle = piece.straight ? here.anchor : back(piece.p1);
        next.inHandle = piece.straight ? back(pieces[(i + 1) % n].p0) : back(piece.p2);
    }
    for (TCvPoint& p : line.points) p.updateIndependent();
    return line;
}

} // namespace plumex::geom
