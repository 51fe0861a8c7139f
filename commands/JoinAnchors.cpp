// Join End Anchors: merging ends that meet (or lie within a range), closing paths whose ends
// meet, and bridging the only two selected ends with a new segment.
#include "commands/AnchorCommands.h"

namespace plumex {

namespace {

// Distance 0 means the same position exactly: a tiny difference must not underflow to 0.
bool within(TCvCoord a, TCvCoord b, double range) {
    return range == 0 ? equal(a, b) : distance(a, b) <= range;
}

void moveAnchorTo(TCvPoint& p, TCvCoord to) {
    const TCvCoord v = subtract(to, p.anchor);
    p.anchor = to;
    p.inHandle = add(p.inHandle, v);
    p.outHandle = add(p.outHandle, v);
}

void meetHalfway(TCvPoint& a, TCvPoint& b) {
    const TCvCoord mid = lerp(a.anchor, b.anchor, 0.5);
    moveAnchorTo(a, mid);
    moveAnchorTo(b, mid);
}

bool joinable(const TCvLine& line) {
    return !line.closed && line.selected && line.count() >= 2;
}

// The first path after `from` with a selected end within range of `at`, turned so that this
// end is its first anchor; -1 when none.
int findPartner(std::vector<TCvLine>& work, std::size_t from, TCvCoord at, double range) {
    for (std::size_t j = from + 1; j < work.size(); ++j) {
        TCvLine& q = work[j];
        if (q.closed || q.points.empty()) continue;
        if (q.points.front().selected && within(q.FirstAnchor(), at, range))
            return static_cast<int>(j);
        if (q.points.back().selected && within(q.LastAnchor(), at, range)) {
            q.Reverse();
            return static_cast<int>(j);
        }
    }
    return -1;
}

// p's last anchor becomes q's first: p keeps its in-handle, takes q's out-handle.
void merge(TCvLine& p, const TCvLine& q) {
    TCvPoint& end = p.points.back();
    end.outHandle = q.points.front().outHandle;
    end.updateIndependent();
    p.points.insert(p.points.end(), q.points.begin() + 1, q.points.end());
    p.UpdateSelected();
}

// Merges one pair of ends of p (or closes p); true when something changed.
bool joinOnce(std::vector<TCvLine>& work, std::size_t i, double range) {
    TCvLine& p = work[i];
    int q = -1;
    if (p.points.front().selected) {
        q = findPartner(work, i, p.FirstAnchor(), range);
        if (q >= 0) {
            TCvLine& other = work[static_cast<std::size_t>(q)];
            if (range != 0) meetHalfway(p.points.front(), other.points.front());
            p.Reverse();
        }
    }
    if (q < 0 && p.points.back().selected) {
        q = findPartner(work, i, p.LastAnchor(), range);
        if (q >= 0 && range != 0)
            meetHalfway(p.points.back(), work[static_cast<std::size_t>(q)].points.front());
    }
    if (q >= 0) {
        merge(p, work[static_cast<std::size_t>(q)]);
        work.erase(work.begin() + q);
        return true;
    }
    // Closing must leave a ring of at least two anchors.
    if (p.count() > 2 && p.points.front().selected && p.points.back().selected &&
        within(p.FirstAnchor(), p.LastAnchor(), range)) {
        if (range != 0) meetHalfway(p.points.front(), p.points.back());
        p.points.front().inHandle = p.points.back().inHandle;
        p.points.front().updateIndependent();
        p.points.pop_back();
        p.closed = 1;
        return true;
    }
    return false;
}

struct EndRef {
    std::size_t path;
    bool first;
};

// The only two selected ends get a new segment between them.
void bridge(std::vector<TCvLine>& work, bool straight) {
    std::vector<EndRef> ends;
    for (std::size_t i = 0; i < work.size() && ends.size() < 3; ++i) {
        const TCvLine& l = work[i];
        if (l.closed || !l.selected || l.points.empty()) continue;
        if (l.points.front().selected) ends.push_back({i, true});
        if (l.count() > 1 && l.points.back().selected && ends.size() < 3)
            ends.push_back({i, false});
    }
    if (ends.size() != 2) return;
    TCvLine& h = work[ends[0].path];
    TCvLine& k = work[ends[1].path];
    const bool same = ends[0].path == ends[1].path;
    if (!same) {
        if (ends[0].first) h.Reverse();
        if (!ends[1].first) k.Reverse();
    }
    if (straight) {
        TCvPoint& from = h.points.back();
        TCvPoint& to = k.points.front();
        from.outHandle = from.anchor;
        to.inHandle = to.anchor;
        // The handles no longer mirror each other; a later handle drag must not bend the line.
        from.updateIndependent();
        to.updateIndependent();
    }
    if (same) {
        h.closed = 1;
        return;
    }
    h.points.insert(h.points.end(), k.points.begin(), k.points.end());
    h.UpdateSelected();
    work.erase(work.begin() + static_cast<std::ptrdiff_t>(ends[1].path));
}

} // namespace

bool JoinEndAnchors(TCvDocument& doc, JoinShape shape, double range, int penPath) {
    const std::vector<TCvLine> copies = doc.CollectSelected();
    std::vector<TCvLine> work = copies;
    bool joined = false;
    for (std::size_t i = 0; i < work.size(); ++i)
        while (joinable(work[i]) && joinOnce(work, i, range)) joined = true;
    if (range == 0 && !joined) bridge(work, shape == JoinShape::Straight);
    if (work == copies) return false;
    doc.Record(penPath);
    std::erase_if(doc.Lines.edit(), [](const TCvLine& l) { return l.selected; });
    doc.Lines.insert(doc.Lines.begin(), work.begin(), work.end());
    doc.UpdateSelectionBounds();
    return true;
}

} // namespace plumex
