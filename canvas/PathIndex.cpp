#include "canvas/PathIndex.h"

#include <cmath>

namespace plumex {

PathIndex::Entry PathIndex::measure(const TCvLine& line) {
    Entry e;
    if (line.points.empty()) {
        e.anySelected = line.selected != 0;
        return e;
    }
    // One tight pass: the selection flags or-ed, and a coordinate that is not finite caught by
    // its product with zero (which is then not a number) instead of a test per coordinate.
    TCvRect hull(line.points[0].anchor);
    unsigned selected = line.selected;
    double poison = 0;
    for (const TCvPoint& p : line.points) {
        selected |= p.selected;
        extend(hull, p.anchor);
        extend(hull, p.inHandle);
        extend(hull, p.outHandle);
        poison += p.anchor.x * 0 + p.anchor.y * 0 + p.inHandle.x * 0 + p.inHandle.y * 0 +
                  p.outHandle.x * 0 + p.outHandle.y * 0;
    }
    e.hull = hull;
    e.anySelected = selected != 0;
    e.everywhere = poison != 0;
    return e;
}

void PathIndex::sync(const LineList& lines) {
    const auto written = synced_ ? lines.changedSince(*synced_) : std::nullopt;
    if (written && entries_.size() == lines.size()) {
        const auto kinds = *lines.kindsSince(*synced_);
        for (std::size_t k = 0; k < written->size(); ++k) {
            Entry& e = entries_[static_cast<std::size_t>((*written)[k])];
            // A write of the selection alone keeps the hull: Select All measures nothing.
            switch (kinds[k]) {
            case LineList::Written::Selected:
                e.anySelected = true;
                break;
            case LineList::Written::Deselected:
                e.anySelected = false;
                break;
            case LineList::Written::Anything:
                e = measure(lines[(*written)[k]]);
                break;
            }
        }
    } else {
        entries_.clear();
        entries_.reserve(lines.size());
        for (const TCvLine& line : lines) entries_.push_back(measure(line));
    }
    synced_ = lines.mark();
}

bool PathIndex::near(std::size_t i, TCvCoord p, double tol) const {
    const Entry& e = entries_[i];
    if (e.everywhere || !(tol >= 0) || !std::isfinite(p.x) || !std::isfinite(p.y)) return true;
    // Twice the tolerance and a little more: a segment found within tol of p by sampling, or
    // an anchor at rounded distance tol, is certainly inside this margin.
    const double m = 2 * tol + 1e-9 * (1 + std::abs(p.x) + std::abs(p.y));
    return p.x >= e.hull.left - m && p.x <= e.hull.right + m && p.y >= e.hull.bottom - m &&
           p.y <= e.hull.top + m;
}

bool PathIndex::overlaps(std::size_t i, const TCvRect& r) const {
    const Entry& e = entries_[i];
    return e.everywhere || !(e.hull.right < r.left || e.hull.left > r.right ||
                             e.hull.top < r.bottom || e.hull.bottom > r.top);
}

} // namespace plumex
