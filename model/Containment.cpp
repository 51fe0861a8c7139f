#include "model/Containment.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace plumex {

namespace {

// A short axis-parallel ray from the tested point to just outside the nearest side of the
// bounds. `along` picks the coordinate that runs along the ray (x for a horizontal ray).
struct Ray {
    bool horizontal;
    double at;     // the ray's line: y for a horizontal ray, x for a vertical one
    double origin; // the point's coordinate along the ray
    double lo, hi; // the ray's extent along its line

    double along(TCvCoord c) const { return horizontal ? c.x : c.y; }
    double across(TCvCoord c) const { return horizontal ? c.y : c.x; }
    bool onRay(TCvCoord c) const {
        const double u = along(c);
        return across(c) == at && lo <= u && u <= hi;
    }
};

Ray chooseRay(TCvCoord p, const TCvRect& r) {
    const double dRight = r.right - p.x, dTop = r.top - p.y;
    const double dBottom = p.y - r.bottom, dLeft = p.x - r.left;
    const double m = std::min({dRight, dTop, dBottom, dLeft});
    if (m == dLeft) return {true, p.y, p.x, r.left - 1, p.x};
    if (m == dRight) return {true, p.y, p.x, p.x, r.right + 1};
    if (m == dTop) return {false, p.x, p.y, p.y, r.top + 1};
    return {false, p.x, p.y, r.bottom - 1, p.y};
}

int sideOf(double v, double at) {
    return v > at ? 1 : (v < at ? -1 : 0);
}

// The parameter where the segment crosses the ray's line between two samples on opposite
// sides. Bisection rather than the samples' midpoint: a midpoint is off by up to half a sample
// along the ray, which misjudges points a little way inside a fast-moving outline.
double crossingParameter(const Segment& s, const Ray& ray, double lo, int loSide, double hi) {
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        const int side = sideOf(ray.across(evaluate(s, mid)), ray.at);
        if (side == 0) return mid;
        (side == loSide ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// How one segment meets the ray: -3 through the point itself, 0 along the ray, +-1 starting or
// ending on the ray (by side), 2 for an odd and -2 for an even number of crossings.
int classify(const Segment& s, const Ray& ray) {
    const TCvCoord c[4] = {s.a, s.h1, s.h2, s.b};
    auto all = [&](auto pred) { return std::all_of(std::begin(c), std::end(c), pred); };
    if (all([&](TCvCoord q) { return ray.across(q) > ray.at; }) ||
        all([&](TCvCoord q) { return ray.across(q) < ray.at; }) ||
        all([&](TCvCoord q) { return ray.along(q) < ray.lo; }) ||
        all([&](TCvCoord q) { return ray.along(q) > ray.hi; }))
        return -2;
    const bool startOn = ray.onRay(s.a), endOn = ray.onRay(s.b);
    if (startOn && endOn) return 0;
    // A straight segment from one side to the other crosses once, where the line says.
    const int sa = sideOf(ray.across(s.a), ray.at), sb = sideOf(ray.across(s.b), ray.at);
    if (s.h1 == s.a && s.h2 == s.b && sa != 0 && sb != 0 && sa != sb) {
        const double t = (ray.at - ray.across(s.a)) / (ray.across(s.b) - ray.across(s.a));
        const double u = ray.along(s.a) + t * (ray.along(s.b) - ray.along(s.a));
        if (u == ray.origin) return -3;
        return ray.lo <= u && u <= ray.hi ? 2 : -2;
    }
    int refSide = sideOf(ray.across(s.a), ray.at);
    double refT = 0;
    int firstSide = 0, crossings = 0;
    for (int i = 1; i <= 1000; ++i) {
        const double t = i / 1000.0;
        const int side = sideOf(ray.across(evaluate(s, t)), ray.at);
        if (side == 0) continue; // on the line: the previous sample stays the reference
        if (firstSide == 0) firstSide = side;
        if (refSide != 0 && side != refSide) {
            const double u = ray.along(evaluate(s, crossingParameter(s, ray, refT, refSide, t)));
            if (u == ray.origin) return -3;
            if (ray.lo <= u && u <= ray.hi) ++crossings;
        }
        refSide = side;
        refT = t;
    }
    const int flip = crossings % 2 ? -1 : 1;
    if (startOn) return firstSide * flip;
    if (endOn) return refSide * flip;
    return crossings % 2 ? 2 : -2;
}

} // namespace

int pointInOutline(const TCvLine& path, TCvCoord p, const TCvRect& pathBounds) {
    if (!contains(pathBounds, p)) return -1;
    const Ray ray = chooseRay(p, pathBounds);
    const int n = path.count();
    std::vector<int> code(static_cast<std::size_t>(n));
    // The outline is taken as closed whatever its flag: the last segment wraps to the first.
    for (int i = 0; i < n; ++i) {
        const TCvPoint& a = path.points[static_cast<std::size_t>(i)];
        const TCvPoint& b = path.points[static_cast<std::size_t>((i + 1) % n)];
        code[static_cast<std::size_t>(i)] =
            classify({a.anchor, a.outHandle, b.inHandle, b.anchor}, ray);
    }
    int previous = 0;
    auto last = std::find_if(code.rbegin(), code.rend(), [](int c) { return c != 0; });
    if (last == code.rend()) return -1;
    if (*last == -3) return 1;
    if (*last == 1 || *last == -1) previous = *last;
    bool inside = false;
    for (int i = 0; i < n; ++i) {
        if (equal(path.points[static_cast<std::size_t>(i)].anchor, p)) return 0;
        const int c = code[static_cast<std::size_t>(i)];
        if (c == 1 || c == -1) {
            if (c == -previous) inside = !inside;
            previous = c;
        } else if (c == 2) {
            inside = !inside;
            previous = 0;
        } else if (c == -2) {
            previous = 0;
        } else if (c == -3) {
            return 1;
        }
    }
    return inside ? 1 : -1;
}

bool outlineInside(const TCvLine& outer, const TCvLine& inner) {
    if (!outer.closed || !inner.closed || inner.points.empty()) return false;
    if (outer == inner) return false;
    const TCvRect r = outer.GetBounds();
    TCvLine work = inner;
    for (int round = 0; round <= 100; ++round) {
        bool anyInside = false;
        for (const TCvPoint& pt : work.points) {
            const int c = pointInOutline(outer, pt.anchor, r);
            if (c < 0) return false;
            if (c > 0) anyInside = true;
        }
        if (anyInside) return true;
        // Every anchor lies on the outer's anchors: try the midpoints of the segments.
        const std::size_t before = work.points.size();
        work.DoubleSelected(0.5);
        if (work.points.size() == before) return false; // nothing left to subdivide
    }
    return false;
}

} // namespace plumex
