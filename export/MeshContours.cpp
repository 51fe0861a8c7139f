#include "export/MeshContours.h"

#include "model/SegmentCycle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plumex {

namespace {

using Cycle = SegmentCycle;

bool noExtent(const Segment& s) {
    return equal(s.a, s.b) && equal(s.a, s.h1) && equal(s.a, s.h2);
}

double cross(TCvCoord o, TCvCoord p, TCvCoord q) {
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
}

TCvCoord rounded(TCvCoord p) {
    return {toFloat(p.x), toFloat(p.y)};
}

} // namespace

int flattenPieces(const Segment& s, double tolerance) {
    if (s.straight()) return 1;
    // The polygon of n equal parameter steps stays within |B''|max / (8 n^2) of the cubic,
    // and |B''| is at most 6 times the larger second difference of the control points.
    const auto second = [](TCvCoord p, TCvCoord q, TCvCoord r) {
        return std::hypot(p.x - 2 * q.x + r.x, p.y - 2 * q.y + r.y);
    };
    const double m = std::max(second(s.a, s.h1, s.h2), second(s.h1, s.h2, s.b));
    if (!(tolerance > 0) || !std::isfinite(m)) return MaxFlattenPieces;
    const double n = std::ceil(std::sqrt(0.75 * m / tolerance));
    return static_cast<int>(std::clamp(n, 1.0, double(MaxFlattenPieces)));
}

void tidyContour(MeshContour& c) {
    // Repeats and straight-through points would give triangles of no area.
    bool changed = true;
    while (changed && c.size() >= 3) {
        changed = false;
        MeshContour kept;
        kept.reserve(c.size());
        const std::size_t n = c.size();
        for (std::size_t i = 0; i < n; ++i) {
            const TCvCoord prev = kept.empty() ? c[(i + n - 1) % n] : kept.back();
            const TCvCoord next = c[(i + 1) % n];
            if (equal(c[i], prev) || cross(prev, c[i], next) == 0) {
                changed = true;
                continue;
            }
            kept.push_back(c[i]);
        }
        c = std::move(kept);
    }
    if (c.size() < 3) c.clear();
}

std::vector<MeshContour> meshContours(const TCvLine& path, double tolerance,
                                      const std::function<TCvCoord(TCvCoord)>& map) {
    Cycle all;
    const int n = path.segmentCount();
    all.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i < n; ++i) {
        const Segment s = path.segment(i);
        const Segment m{map(s.a), map(s.h1), map(s.h2), map(s.b)};
        if (!noExtent(m)) all.push_back(m);
    }
    if (!path.closed && !all.empty() && !equal(all.back().b, all.front().a))
        all.push_back({all.back().b, all.back().b, all.front().a, all.front().a});
    std::vector<MeshContour> out;
    for (const Cycle& cycle : splitAtBridges(std::move(all))) {
        MeshContour c;
        for (const Segment& s : cycle) {
            const int pieces = flattenPieces(s, tolerance);
            c.push_back(rounded(s.a));
            for (int j = 1; j < pieces; ++j)
                c.push_back(rounded(evaluate(s, static_cast<double>(j) / pieces)));
        }
        tidyContour(c);
        if (!c.empty()) out.push_back(std::move(c));
    }
    return out;
}

} // namespace plumex
