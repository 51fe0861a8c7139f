#include "canvas/HitTest.h"

namespace plumex {

namespace {

bool searchable(const TCvLine& l) {
    return l.visible && !l.locked && !l.points.empty();
}

// The ends of an open path, or nothing for a closed one.
int nearestEnd(const TCvLine& l, TCvCoord p, double tol, bool includeLast, TCvCoord* at) {
    if (l.closed) return -1;
    int best = -1;
    double bestDistance = 0;
    const int last = includeLast ? l.count() - 1 : -1;
    for (int i : {0, last}) {
        if (i < 0 || (i == last && i == 0 && best == 0)) continue;
        const TCvCoord a = l.points[static_cast<std::size_t>(i)].anchor;
        const double d = distance(a, p);
        if (d > tol || (best >= 0 && d >= bestDistance)) continue;
        best = i;
        bestDistance = d;
        *at = a;
    }
    return best;
}

template <class Near>
AnchorHit findAnchor(const std::vector<TCvLine>& lines, TCvCoord p, const AnchorSearch& how,
                     Near near) {
    AnchorHit best;
    double bestDistance = 0;
    for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i) {
        if (!near(static_cast<std::size_t>(i))) continue;
        const TCvLine& l = lines[static_cast<std::size_t>(i)];
        if (!searchable(l)) continue;
        const bool includeLast = i != how.penPath;
        TCvCoord at;
        int k;
        if (how.endsOnly)
            k = nearestEnd(l, p, how.tolerance, includeLast, &at);
        else
            k = l.NearestPoint(p, how.tolerance, includeLast, how.includeSelected,
                               how.handlesOfSelected && l.selected, &at);
        if (k < 0) continue;
        const double d = distance(at, p);
        if (best && d >= bestDistance) continue;
        best = {i, k, at, !equal(at, l.points[static_cast<std::size_t>(k)].anchor)};
        bestDistance = d;
    }
    return best;
}

template <class Near>
PathHit findPath(const std::vector<TCvLine>& lines, TCvCoord p, double tol, Near near) {
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (!near(static_cast<std::size_t>(i))) continue;
        const TCvLine& l = lines[static_cast<std::size_t>(i)];
        if (!l.visible || l.locked || l.count() < 2) continue;
        for (int s = 0; s < l.segmentCount(); ++s) {
            const double t = nearestParameter(l.segment(s), p, 0.001, tol);
            if (t < 0) continue;
            return {i, s, (s + 1) % l.count(), t};
        }
    }
    return {};
}

} // namespace

AnchorHit hitAnchor(const std::vector<TCvLine>& lines, TCvCoord p, const AnchorSearch& how) {
    return findAnchor(lines, p, how, [](std::size_t) { return true; });
}

AnchorHit hitAnchor(const std::vector<TCvLine>& lines, const PathIndex& index, TCvCoord p,
                    const AnchorSearch& how) {
    return findAnchor(lines, p, how,
                      [&](std::size_t i) { return index.near(i, p, how.tolerance); });
}

PathHit hitPath(const std::vector<TCvLine>& lines, TCvCoord p, double tol) {
    return findPath(lines, p, tol, [](std::size_t) { return true; });
}

PathHit hitPath(const std::vector<TCvLine>& lines, const PathIndex& index, TCvCoord p, double tol) {
    return findPath(lines, p, tol, [&](std::size_t i) { return index.near(i, p, tol); });
}

} // namespace plumex
