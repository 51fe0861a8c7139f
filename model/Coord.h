#pragma once
// Points and vectors of the drawing: two doubles in drawing units, y axis pointing up.

#include <cmath>

struct TCvCoord {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const TCvCoord&, const TCvCoord&) = default;
};

// Tolerance of the shape model for smoothness and on-line tests.
inline constexpr double CoordEpsilon = 1e-11;

namespace plumex {

inline TCvCoord add(TCvCoord p, TCvCoord q) {
    return {p.x + q.x, p.y + q.y};
}
inline TCvCoord subtract(TCvCoord p, TCvCoord q) {
    return {p.x - q.x, p.y - q.y};
}
inline TCvCoord scale(TCvCoord p, double k) {
    return {k * p.x, k * p.y};
}
// Division by zero follows IEEE rules (infinities or NaN), it never traps.
inline TCvCoord divide(TCvCoord p, double k) {
    return {p.x / k, p.y / k};
}
inline TCvCoord scaleXY(TCvCoord p, double kx, double ky) {
    return {kx * p.x, ky * p.y};
}
inline double length(TCvCoord v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}
inline double distance(TCvCoord p, TCvCoord q) {
    return length(subtract(p, q));
}
inline bool near(TCvCoord p, TCvCoord q, double tol) {
    return distance(p, q) <= tol;
}
// Exact comparison of both coordinates (so NaN is never equal to anything).
inline bool equal(TCvCoord p, TCvCoord q) {
    return p.x == q.x && p.y == q.y;
}
inline TCvCoord mirror(TCvCoord p, TCvCoord about) {
    return {2 * about.x - p.x, 2 * about.y - p.y};
}
inline TCvCoord lerp(TCvCoord u, TCvCoord v, double t) {
    return {u.x + (v.x - u.x) * t, u.y + (v.y - u.y) * t};
}

// The one linear map behind rotate, shear, flip and expand: (a, b) is the image of the unit x
// axis and (c, d) the image of the unit y axis, both about `centre`.
inline TCvCoord linearMap(TCvCoord p, double a, double b, double c, double d, TCvCoord centre) {
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    return {centre.x + dx * a + dy * c, centre.y + dx * b + dy * d};
}

} // namespace plumex
