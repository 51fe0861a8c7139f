#include "model/Segment.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plumex {

TCvCoord evaluate(const Segment& s, double t) {
    const double u = 1 - t;
    const double w0 = u * u * u;
    const double w1 = 3 * t * u * u;
    const double w2 = 3 * t * t * u;
    const double w3 = t * t * t;
    return {w0 * s.a.x + w1 * s.h1.x + w2 * s.h2.x + w3 * s.b.x,
            w0 * s.a.y + w1 * s.h1.y + w2 * s.h2.y + w3 * s.b.y};
}

SplitResult split(const Segment& s, double t) {
    if (s.straight()) {
        const TCvCoord m = lerp(s.a, s.b, t);
        return {s.h1, m, m, m, s.h2};
    }
    const TCvCoord q1 = lerp(s.a, s.h1, t);
    const TCvCoord q2 = lerp(s.h1, s.h2, t);
    const TCvCoord q3 = lerp(s.h2, s.b, t);
    const TCvCoord r1 = lerp(q1, q2, t);
    const TCvCoord r2 = lerp(q2, q3, t);
    return {q1, r1, lerp(r1, r2, t), r2, q3};
}

namespace {

// One side of the bounds being pushed outward by sampling. `sign` is +1 for a side that grows
// with the coordinate (right, top) and -1 for one that shrinks (left, bottom).
struct OpenSide {
    double value;    // the anchors' bound, moved outward by samples
    double previous; // the last sample's coordinate
    double sign;
    bool open;
    bool left = false; // the samples went beyond the anchors' bound

    void take(double v) {
        if (!open) return;
        if (sign * (v - value) > 0) {
            value = v;
            left = true;
        } else if (left && sign * (previous - v) > 1e-12 * (1 + std::abs(v))) {
            // Beyond the anchors the coordinate can peak only once: a cubic that turns back
            // from an extreme past both anchors ends at an anchor, so nothing later exceeds it.
            // The margin keeps rounding noise on a flat stretch from passing for a turn.
            open = false;
        }
        previous = v;
    }
};

} // namespace

TCvRect segmentBounds(const Segment& s) {
    TCvRect r = boundsOf({s.a, s.b});
    const TCvRect hull = boundsOf({s.a, s.h1, s.h2, s.b});
    std::array<OpenSide, 4> sides{{
        {r.left, s.a.x, -1, hull.left < r.left},
        {r.right, s.a.x, 1, hull.right > r.right},
        {r.bottom, s.a.y, -1, hull.bottom < r.bottom},
        {r.top, s.a.y, 1, hull.top > r.top},
    }};
    auto anyOpen = [&] {
        return std::any_of(sides.begin(), sides.end(), [](const OpenSide& o) { return o.open; });
    };
    for (int i = 0; i <= 1000 && anyOpen(); ++i) {
        const TCvCoord p = evaluate(s, i / 1000.0);
        sides[0].take(p.x);
        sides[1].take(p.x);
        sides[2].take(p.y);
        sides[3].take(p.y);
    }
    return {sides[0].value, sides[3].value, sides[1].value, sides[2].value};
}

double nearestParameter(const Segment& s, TCvCoord p, double step, double tol) {
    if (s.straight()) {
        if (!isCollinearRun(s.a, p, s.b, tol)) return -1;
        const double ab = distance(s.a, s.b);
        if (ab == 0) return 0;
        return distance(s.a, p) / ab;
    }
    const TCvRect hull = boundsOf({s.a, s.h1, s.h2, s.b});
    if (p.x < hull.left - tol || p.x > hull.right + tol || p.y > hull.top + tol ||
        p.y < hull.bottom - tol)
        return -1;
    // A step that is not positive gives no samples; a tiny one is capped so the walk ends.
    if (!(step > 0)) return -1;
    step = std::max(step, 1e-6);
    double best = tol;
    double result = -1;
    for (long i = 0;; ++i) {
        const double t = static_cast<double>(i) * step;
        if (!(t <= 1)) break;
        const TCvCoord q = evaluate(s, t);
        const double dx = std::abs(p.x - q.x);
        const double dy = std::abs(p.y - q.y);
        const double m = std::min(dx, dy);
        if (dx < tol && dy < tol && m < best) {
            result = t;
            best = m;
        } else if (result >= 0) {
            break;
        }
    }
    return result;
}

bool isCollinearRun(TCvCoord p0, TCvCoord p1, TCvCoord p2, double tol) {
    const TCvCoord d1 = subtract(p1, p0);
    const double l1 = length(d1);
    if (l1 <= tol) return true;
    const TCvCoord d2 = subtract(p2, p1);
    const double l2 = length(d2);
    if (l2 <= tol) return true;
    const TCvCoord predicted = add(p1, scale(divide(d1, l1), l2));
    return near(p2, predicted, tol);
}

bool isSmooth(TCvCoord inHandle, TCvCoord anchor, TCvCoord outHandle) {
    return !equal(inHandle, anchor) && !equal(outHandle, anchor) &&
           isCollinearRun(inHandle, anchor, outHandle, CoordEpsilon);
}

bool isSymmetric(TCvCoord inHandle, TCvCoord anchor, TCvCoord outHandle) {
    return near(outHandle, mirror(inHandle, anchor), CoordEpsilon);
}

} // namespace plumex
