#include "geometry/Winding.h"

#include <2geom/bezier-curve.h>
#include <2geom/path.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace plumex::geom {

namespace {

using Cubic = std::array<Geom::Point, 4>;

double at(const Cubic& c, int d, double t) {
    const double s = 1 - t;
    return s * s * s * c[0][d] + 3 * s * t * (s * c[1][d] + t * c[2][d]) + t * t * t * c[3][d];
}

// Roots in (0, 1) of a t^2 + b t + c, in the cancellation-free form.
int quadraticRoots(double a, double b, double c, double out[2]) {
    int n = 0;
    const auto keep = [&](double t) {
        if (t > 0 && t < 1 && std::isfinite(t)) out[n++] = t;
    };
    if (a == 0) {
        if (b != 0) keep(-c / b);
    } else {
        const double disc = b * b - 4 * a * c;
        if (disc >= 0) {
            const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
            keep(q / a);
            if (q != 0) keep(c / q);
        }
    }
    if (n == 2 && out[0] > out[1]) std::swap(out[0], out[1]);
    return n;
}

// Ups and downs across the level of p to the right of p, half-open so that a crossing at a
// shared end counts once: a run from ya to yb adds [ya <= py] - [yb <= py].
int crossingsLine(Geom::Point a, Geom::Point b, Geom::Point p) {
    const bool below0 = a[Geom::Y] <= p[Geom::Y], below1 = b[Geom::Y] <= p[Geom::Y];
    if (below0 == below1) return 0;
    const double side = (b[Geom::X] - a[Geom::X]) * (p[Geom::Y] - a[Geom::Y]) -
                        (p[Geom::X] - a[Geom::X]) * (b[Geom::Y] - a[Geom::Y]);
    if (below0) return side > 0 ? 1 : 0; // upwards: p left of the run means it is right of p
    return side < 0 ? -1 : 0;
}

int crossingsCubic(const Cubic& c, Geom::Point p) {
    const double px = p[Geom::X], py = p[Geom::Y];
    double lo = c[0][Geom::Y], hi = lo, right = c[0][Geom::X];
    for (const Geom::Point& q : c) {
        lo = std::min(lo, q[Geom::Y]);
        hi = std::max(hi, q[Geom::Y]);
        right = std::max(right, q[Geom::X]);
    }
    const auto net = [&] { return (c[0][Geom::Y] <= py) - (c[3][Geom::Y] <= py); };
    if (py < lo || py >= hi || right <= px) return 0;
    bool allRight = true;
    for (const Geom::Point& q : c) allRight = allRight && q[Geom::X] > px;
    if (allRight) return net();
    // Split where y turns, so each piece is monotone in y and crosses the level at most once.
    const double d0 = c[1][Geom::Y] - c[0][Geom::Y], d1 = c[2][Geom::Y] - c[1][Geom::Y],
                 d2 = c[3][Geom::Y] - c[2][Geom::Y];
    double turns[2];
    const int n = quadraticRoots(d0 - 2 * d1 + d2, 2 * (d1 - d0), d0, turns);
    double ts[4] = {0, 0, 0, 1};
    double ys[4] = {c[0][Geom::Y], 0, 0, c[3][Geom::Y]};
    int m = 1;
    for (int k = 0; k < n; ++k) {
        ts[m] = turns[k];
        ys[m] = at(c, Geom::Y, turns[k]);
        ++m;
    }
    ts[m] = 1;
    ys[m] = c[3][Geom::Y];
    int count = 0;
    for (int k = 0; k < m; ++k) {
        const bool belowA = ys[k] <= py, belowB = ys[k + 1] <= py;
        if (belowA == belowB) continue;
        // Bisection keeps the sign change whatever rounding does; 64 halvings reach the
        // resolution of t.
        double a = ts[k], b = ts[k + 1];
        for (int i = 0; i < 64 && b - a > 0; ++i) {
            const double mid = 0.5 * (a + b);
            if (mid <= a || mid >= b) break;
            if ((at(c, Geom::Y, mid) <= py) == belowA)
                a = mid;
            else
                b = mid;
        }
        if (at(c, Geom::X, 0.5 * (a + b)) > px) count += belowA ? 1 : -1;
    }
    return count;
}

int crossings(const Geom::Curve& curve, Geom::Point p) {
    const auto* b = dynamic_cast<const Geom::BezierCurve*>(&curve);
    if (b && b->order() == 3)
        return crossingsCubic(
            {b->controlPoint(0), b->controlPoint(1), b->controlPoint(2), b->controlPoint(3)}, p);
    if (b && b->order() == 2) {
        // Raised to a cubic exactly.
        const Geom::Point q0 = b->controlPoint(0), q1 = b->controlPoint(1), q2 = b->controlPoint(2);
        return crossingsCubic({q0, q0 + (q1 - q0) * (2.0 / 3.0), q2 + (q1 - q2) * (2.0 / 3.0), q2},
                              p);
    }
    // Lines, and (never made by this program) other kinds taken by their chord.
    return crossingsLine(curve.initialPoint(), curve.finalPoint(), p);
}

} // namespace

int windingNumber(const Geom::Path& path, Geom::Point p) {
    if (path.empty()) return 0;
    int w = 0;
    const std::size_t n = path.size_default();
    for (std::size_t i = 0; i < n; ++i) w += crossings(path[i], p);
    const Geom::Point end = n ? path[n - 1].finalPoint() : path.initialPoint();
    if (end != path.initialPoint()) w += crossingsLine(end, path.initialPoint(), p);
    return w;
}

WindingIndex::WindingIndex(const Geom::PathVector& paths) {
    double lo = 1e300, hi = -1e300;
    // Taken apart once here, so a count does no type tests.
    const auto add = [&](const Geom::Point(&c)[4], bool line) {
        Item item{{c[0], c[1], c[2], c[3]}, line, c[0][Geom::Y], c[0][Geom::Y], c[0][Geom::X]};
        for (const Geom::Point& q : c) {
            item.lo = std::min(item.lo, q[Geom::Y]);
            item.hi = std::max(item.hi, q[Geom::Y]);
            item.right = std::max(item.right, q[Geom::X]);
        }
        lo = std::min(lo, item.lo);
        hi = std::max(hi, item.hi);
        items_.push_back(item);
    };
    for (const Geom::Path& path : paths) {
        if (path.empty()) continue;
        const std::size_t n = path.size_default();
        for (std::size_t i = 0; i < n; ++i) {
            const Geom::Curve& curve = path[i];
            const auto* b = dynamic_cast<const Geom::BezierCurve*>(&curve);
            if (b && b->order() == 3) {
                add({b->controlPoint(0), b->controlPoint(1), b->controlPoint(2),
                     b->controlPoint(3)},
                    false);
            } else if (b && b->order() == 2) {
                const Geom::Point q0 = b->controlPoint(0), q1 = b->controlPoint(1),
                                  q2 = b->controlPoint(2);
                add({q0, q0 + (q1 - q0) * (2.0 / 3.0), q2 + (q1 - q2) * (2.0 / 3.0), q2}, false);
            } else {
                const Geom::Point a = curve.initialPoint(), z = curve.finalPoint();
                add({a, a, z, z}, true);
            }
        }
        const Geom::Point end = n ? path[n - 1].finalPoint() : path.initialPoint();
        if (end != path.initialPoint())
            add({end, end, path.initialPoint(), path.initialPoint()}, true);
    }
    if (items_.empty() || !(hi > lo)) {
        bands_.assign(1, {});
        for (std::size_t i = 0; i < items_.size(); ++i) bands_[0].push_back(i);
        return;
    }
    // About as many bands as the square root of the curves: a curve spans few of them.
    const std::size_t count = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::sqrt(double(items_.size()))), 1, 4096);
    bottom_ = lo;
    height_ = (hi - lo) / static_cast<double>(count);
    bands_.assign(count, {});
    const auto band = [&](double y) {
        const double k = std::floor((y - bottom_) / height_);
        return static_cast<std::size_t>(std::clamp(k, 0.0, static_cast<double>(count - 1)));
    };
    for (std::size_t i = 0; i < items_.size(); ++i)
        for (std::size_t b = band(items_[i].lo); b <= band(items_[i].hi); ++b)
            bands_[b].push_back(i);
    // The count looks right of the point only: the furthest reaching first, so it can stop.
    for (std::vector<std::size_t>& b : bands_)
        std::sort(b.begin(), b.end(),
                  [&](std::size_t x, std::size_t y) { return items_[x].right > items_[y].right; });
}

int WindingIndex::operator()(Geom::Point p) const {
    const double k = std::floor((p[Geom::Y] - bottom_) / height_);
    if (!std::isfinite(k) || k < 0 || k >= static_cast<double>(bands_.size())) {
        // Outside every band nothing is crossed, except through the single band's clamp.
        if (bands_.size() != 1) return 0;
    }
    const std::vector<std::size_t>& band =
        bands_[bands_.size() == 1 ? 0 : static_cast<std::size_t>(k)];
    int w = 0;
    const double px = p[Geom::X], py = p[Geom::Y];
    for (std::size_t i : band) {
        const Item& item = items_[i];
        if (item.right <= px) break;
        if (py < item.lo || py > item.hi) continue;
        w += item.line ? crossingsLine(item.c[0], item.c[3], p)
                       : crossingsCubic({item.c[0], item.c[1], item.c[2], item.c[3]}, p);
    }
    return w;
}

int windingNumber(const Geom::PathVector& paths, Geom::Point p) {
    int w = 0;
    for (const Geom::Path& path : paths) w += windingNumber(path, p);
    return w;
}

} // namespace plumex::geom
