// Minimize: removes selected anchors that the curve can do without.
#include "model/Path.h"

using namespace plumex;

namespace {

bool allCollinear(const TCvPoint& prev, const TCvPoint& p, const TCvPoint& next) {
    if (!isCollinearRun(prev.anchor, p.anchor, next.anchor, CoordEpsilon)) return false;
    const TCvCoord run[] = {prev.anchor, prev.outHandle, p.inHandle, p.anchor,
                            p.outHandle, next.inHandle,  next.anchor};
    for (int i = 0; i + 2 < 7; ++i)
        if (!isCollinearRun(run[i], run[i + 1], run[i + 2], CoordEpsilon)) return false;
    return true;
}

// Handles of the one segment prev -> next that passes through p at its parameter, if any.
bool mergedHandles(const TCvPoint& prev, const TCvPoint& p, const TCvPoint& next, TCvCoord& l,
                   TCvCoord& n) {
    const double a = distance(p.inHandle, p.anchor);
    const double b = distance(p.outHandle, p.inHandle);
    if (a == 0 || b == 0) return false;
    const double t = a / b;
    l = add(prev.anchor, divide(subtract(prev.outHandle, prev.anchor), t));
    n = t >= 1 ? next.anchor
               : add(next.anchor, divide(subtract(next.inHandle, next.anchor), 1 - t));
    const TCvCoord m = lerp(l, n, t);
    return near(lerp(prev.outHandle, m, t), p.inHandle, CoordEpsilon) &&
           near(lerp(m, next.inHandle, t), p.outHandle, CoordEpsilon);
}

} // namespace

void TCvLine::Minimize() {
    // A closed path is examined from anchor 1 round to anchor 0; an open one keeps its ends.
    std::size_t i = 1;
    while (points.size() > 2) {
        const std::size_t n = points.size();
        if (closed ? i > n : i + 1 >= n) break;
        const std::size_t at = i % n;
        const std::size_t before = (at + n - 1) % n;
        const std::size_t after = (at + 1) % n;
        TCvPoint& p = points[at];
        bool remove = false;
        if (p.selected && isCollinearRun(p.inHandle, p.anchor, p.outHandle, CoordEpsilon)) {
            TCvPoint& prev = points[before];
            TCvPoint& next = points[after];
            TCvCoord l, m;
            if (allCollinear(prev, p, next)) {
                remove = true;
            } else if (mergedHandles(prev, p, next, l, m)) {
                prev.outHandle = l;
                next.inHandle = m;
                if (!closed && before == 0 && !prev.independent)
                    prev.inHandle = mirror(l, prev.anchor);
                if (!closed && after == n - 1 && !next.independent)
                    next.outHandle = mirror(m, next.anchor);
                remove = true;
            }
        }
        if (remove)
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(at));
        else
            ++i;
    }
}
