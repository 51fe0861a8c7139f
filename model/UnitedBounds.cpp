#include "model/UnitedBounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace plumex {

namespace {

// A curve sample is a weighted mean of the control points; its rounding can leave their
// rectangle by a few units in the last place of the largest coordinate, never by this much.
double rounding(double a, double b) {
    return 1e-9 * (1 + std::max(std::abs(a), std::abs(b)));
}

struct Candidate {
    std::size_t index;
    TCvRect hull;
};

// Whether a path with the handle rectangle `h` may reach a side of the union when the anchors
// of the selection reach `a`.
bool mayReach(const TCvRect& h, const TCvRect& a) {
    const double dx = rounding(h.left, h.right);
    const double dy = rounding(h.bottom, h.top);
    return h.left - dx <= a.left || h.right + dx >= a.right || h.bottom - dy <= a.bottom ||
           h.top + dy >= a.top;
}

bool finite(const TCvRect& r) {
    return std::isfinite(r.left) && std::isfinite(r.right) && std::isfinite(r.bottom) &&
           std::isfinite(r.top);
}

} // namespace

std::optional<TCvRect> unitedBoundsExact(std::span<const TCvLine> lines, Counted counted) {
    std::optional<TCvRect> r;
    for (const TCvLine& line : lines) {
        if (counted == Counted::Selected && !line.selected) continue;
        if (!r)
            r = line.GetBounds();
        else
            line.ExtendBounds(*r);
    }
    return r;
}

std::optional<TCvRect> unitedBounds(std::span<const TCvLine> lines, Counted counted) {
    // One pass over the anchors and handles. The anchors' extremes seen so far only grow, so a
    // path inside them when it is read stays out of the answer; the others are kept and looked
    // at again against the final extremes.
    std::optional<std::size_t> first;
    std::optional<TCvRect> anchors;
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TCvLine& line = lines[i];
        if (counted == Counted::Selected && !line.selected) continue;
        // The first counted path starts the union even when it is empty.
        if (!first) first = i;
        if (line.points.empty()) continue;
        TCvRect a(line.points[0].anchor);
        TCvRect h = a;
        double poison = 0; // stays zero unless a coordinate is not finite
        for (const TCvPoint& p : line.points) {
            extend(a, p.anchor);
            extend(h, p.inHandle);
            extend(h, p.outHandle);
            poison += p.anchor.x * 0 + p.anchor.y * 0 + p.inHandle.x * 0 + p.inHandle.y * 0 +
                      p.outHandle.x * 0 + p.outHandle.y * 0;
        }
        h = unite(h, a);
        // Comparisons drop a not-a-number, and the sides of infinite coordinates have no
        // margin: such drawings are measured whole.
        if (poison != 0 || !finite(h)) return unitedBoundsExact(lines, counted);
        anchors = anchors ? unite(*anchors, a) : a;
        if (i != *first && mayReach(h, *anchors)) candidates.push_back({i, h});
    }
    if (!first) return std::nullopt;
    TCvRect r = lines[*first].GetBounds();
    // Uniting takes the first of equal sides, so leaving out paths strictly inside keeps the
    // answer's bits, signed zeros included.
    for (const Candidate& c : candidates)
        if (mayReach(c.hull, *anchors)) lines[c.index].ExtendBounds(r);
    return r;
}

} // namespace plumex
