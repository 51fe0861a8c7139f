#include "geometry/PathArea.h"

namespace plumex {

namespace {

// The integral of x dy - y dx over one cubic, halved: exact for the polynomial.
double cubicArea(TCvCoord p0, TCvCoord p1, TCvCoord p2, TCvCoord p3) {
    const double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
    const double x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    return (x0 * (6 * y1 + 3 * y2 + y3) + x1 * (-6 * y0 + 3 * y2 + 3 * y3) +
            x2 * (-3 * y0 - 3 * y1 + 6 * y3) + x3 * (-y0 - 3 * y1 - 6 * y2)) /
           20.0;
}

} // namespace

double signedArea(const TCvLine& path) {
    double sum = 0;
    const int n = path.segmentCount();
    for (int i = 0; i < n; ++i) {
        const Segment s = path.segment(i);
        sum += cubicArea(s.a, s.h1, s.h2, s.b);
    }
    if (!path.closed && path.points.size() > 1) {
        const TCvCoord a = path.points.back().anchor, b = path.points.front().anchor;
        sum += (a.x * b.y - b.x * a.y) / 2;
    }
    return sum;
}

} // namespace plumex
