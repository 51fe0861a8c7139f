#pragma once
// Axis-aligned rectangle in drawing units; top is the larger y (top >= bottom).

#include "model/Coord.h"

#include <algorithm>
#include <initializer_list>

struct TCvRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    TCvRect() = default;
    TCvRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
    // The degenerate rectangle of one point.
    explicit TCvRect(TCvCoord p) : left(p.x), top(p.y), right(p.x), bottom(p.y) {}

    friend bool operator==(const TCvRect&, const TCvRect&) = default;
};

namespace plumex {

// Grows `r` to take in `p`.
inline void extend(TCvRect& r, TCvCoord p) {
    r.left = std::min(r.left, p.x);
    r.right = std::max(r.right, p.x);
    r.bottom = std::min(r.bottom, p.y);
    r.top = std::max(r.top, p.y);
}

// Bounds of the given points; (0, 0, 0, 0) for none.
inline TCvRect boundsOf(std::initializer_list<TCvCoord> points) {
    if (points.size() == 0) return {};
    TCvRect r(*points.begin());
    for (TCvCoord p : points) extend(r, p);
    return r;
}

// Inclusive on all four sides.
inline bool contains(const TCvRect& r, TCvCoord p) {
    return r.left <= p.x && p.x <= r.right && r.bottom <= p.y && p.y <= r.top;
}

inline TCvRect unite(const TCvRect& a, const TCvRect& b) {
    return {std::min(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

inline TCvCoord centre(const TCvRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace plumex
