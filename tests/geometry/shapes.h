#pragma once
// Shapes for the boolean engine's tests: circles, rectangles, random curved blobs, and the
// exact measures the tests hold results to.

#include "geometry/PathArea.h"
#include "model/Path.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <span>
#include <vector>

namespace shapes {

// Four quarter arcs, anticlockwise.
inline TCvLine circle(double cx, double cy, double r) {
    const double k = 0.5522847498307936 * r;
    TCvLine c;
    c.closed = 1;
    c.points.emplace_back(TCvCoord{cx + r, cy}, TCvCoord{cx + r, cy - k}, TCvCoord{cx + r, cy + k});
    c.points.emplace_back(TCvCoord{cx, cy + r}, TCvCoord{cx + k, cy + r}, TCvCoord{cx - k, cy + r});
    c.points.emplace_back(TCvCoord{cx - r, cy}, TCvCoord{cx - r, cy + k}, TCvCoord{cx - r, cy - k});
    c.points.emplace_back(TCvCoord{cx, cy - r}, TCvCoord{cx - k, cy - r}, TCvCoord{cx + k, cy - r});
    return c;
}

inline TCvLine rect(double x0, double y0, double x1, double y1) {
    TCvLine l;
    l.closed = 1;
    for (TCvCoord a : {TCvCoord{x0, y0}, TCvCoord{x1, y0}, TCvCoord{x1, y1}, TCvCoord{x0, y1}})
        l.points.emplace_back(a, a, a);
    return l;
}

// A star-shaped smooth blob of 3 to 8 anchors around (cx, cy), anticlockwise.
inline TCvLine blob(std::mt19937_64& rng, double cx, double cy, double r) {
    std::uniform_int_distribution<int> count(3, 8);
    std::uniform_real_distribution<double> u(0.6, 1.0), jitter(-0.3, 0.3);
    const int n = count(rng);
    TCvLine l;
    l.closed = 1;
    const double step = 2 * std::numbers::pi / n;
    for (int i = 0; i < n; ++i) {
        const double a = (i + jitter(rng)) * step, rr = r * u(rng);
        const TCvCoord p{cx + rr * std::cos(a), cy + rr * std::sin(a)};
        const double h = rr * step / 3 * u(rng);
        const TCvCoord t{-std::sin(a) * h, std::cos(a) * h};
        l.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y}, TCvCoord{p.x + t.x, p.y + t.y});
    }
    return l;
}

inline double area(std::span<const TCvLine> paths) {
    double sum = 0;
    for (const TCvLine& p : paths) sum += plumex::signedArea(p);
    return sum;
}

inline double nearestOnSegment(const plumex::Segment& s, TCvCoord p) {
    const auto at = [&](double t) { return plumex::evaluate(s, t); };
    double best = 1e300, bestT = 0;
    for (int i = 0; i <= 32; ++i) {
        const double d = plumex::distance(at(i / 32.0), p);
        if (d < best) best = d, bestT = i / 32.0;
    }
    // Golden-section refinement around the best sample.
    double lo = std::max(0.0, bestT - 1 / 32.0), hi = std::min(1.0, bestT + 1 / 32.0);
    for (int k = 0; k < 80; ++k) {
        const double m1 = lo + (hi - lo) * 0.382, m2 = lo + (hi - lo) * 0.618;
        if (plumex::distance(at(m1), p) < plumex::distance(at(m2), p))
            hi = m2;
        else
            lo = m1;
    }
    return std::min(best, plumex::distance(at((lo + hi) / 2), p));
}

// A straight segment run there and back in one path: the bridge of a merged hole.
inline bool isBridge(const TCvLine& l, const plumex::Segment& s) {
    for (int j = 0; j < l.segmentCount(); ++j) {
        const plumex::Segment o = l.segment(j);
        if (o.straight() && plumex::equal(o.a, s.b) && plumex::equal(o.b, s.a)) return true;
    }
    return false;
}

// The largest distance from 100 samples of each result segment to the nearest input curve.
inline double worstDistance(std::span<const TCvLine> result, std::span<const TCvLine> inputs) {
    std::vector<plumex::Segment> segs;
    for (const TCvLine& l : inputs)
        for (int i = 0; i < l.segmentCount(); ++i) segs.push_back(l.segment(i));
    double worst = 0;
    for (const TCvLine& l : result)
        for (int i = 0; i < l.segmentCount(); ++i) {
            const plumex::Segment s = l.segment(i);
            if (s.straight() && isBridge(l, s)) continue;
            for (int k = 0; k < 100; ++k) {
                const TCvCoord p = plumex::evaluate(s, (k + 0.5) / 100);
                double best = 1e300;
                for (const plumex::Segment& in : segs) {
                    const TCvRect box = plumex::segmentBounds(in);
                    const double x0 = std::min(box.left, box.right),
                                 x1 = std::max(box.left, box.right);
                    const double y0 = std::min(box.top, box.bottom),
                                 y1 = std::max(box.top, box.bottom);
                    const double dx = std::max({x0 - p.x, p.x - x1, 0.0});
                    const double dy = std::max({y0 - p.y, p.y - y1, 0.0});
                    if (std::hypot(dx, dy) > best + 1e-6) continue;
                    best = std::min(best, nearestOnSegment(in, p));
                }
                worst = std::max(worst, best);
            }
        }
    return worst;
}

// The area `paths` fill together under the nonzero rule (open ones closed straight), measured
// independently of the engine: the curves flattened finely and the winding counted along
// `rows` scanlines. Good to about 1e-5 of the area for smooth shapes.
inline double nonzeroArea(std::span<const TCvLine> paths, int rows = 4000) {
    struct Edge {
        TCvCoord a, b;
    };
    std::vector<Edge> edges;
    double y0 = 1e300, y1 = -1e300;
    for (const TCvLine& l : paths) {
        if (l.points.empty()) continue;
        std::vector<TCvCoord> poly;
        for (int i = 0; i < l.segmentCount(); ++i) {
            const plumex::Segment s = l.segment(i);
            const int steps = s.straight() ? 1 : 256;
            for (int k = 0; k < steps; ++k) poly.push_back(plumex::evaluate(s, double(k) / steps));
        }
        if (!l.closed) poly.push_back(l.points.back().anchor);
        for (std::size_t i = 0; i < poly.size(); ++i) {
            edges.push_back({poly[i], poly[(i + 1) % poly.size()]});
            y0 = std::min(y0, poly[i].y);
            y1 = std::max(y1, poly[i].y);
        }
    }
    if (edges.empty() || y1 <= y0) return 0;
    const double h = (y1 - y0) / rows;
    double sum = 0;
    std::vector<std::pair<double, int>> xs;
    for (int r = 0; r < rows; ++r) {
        const double y = y0 + (r + 0.5) * h;
        xs.clear();
        for (const Edge& e : edges)
            if ((e.a.y <= y) != (e.b.y <= y))
                xs.push_back({e.a.x + (y - e.a.y) / (e.b.y - e.a.y) * (e.b.x - e.a.x),
                              e.b.y > e.a.y ? 1 : -1});
        std::sort(xs.begin(), xs.end());
        int w = 0;
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            w += xs[i].second;
            if (w != 0) sum += (xs[i + 1].first - xs[i].first) * h;
        }
    }
    return sum;
}

} // namespace shapes
