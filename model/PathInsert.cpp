// Inserting anchors into segments: InsertPoint and DoubleSelected.
#include "model/Path.h"

using namespace plumex;

namespace {

// Applies a split of segment first -> second to the two neighbours and returns the new anchor.
// On an open path a curved split makes the neighbours' handles independent, except an end
// anchor that was symmetric: its unused outer handle is re-mirrored instead.
TCvPoint applySplit(std::vector<TCvPoint>& pts, std::size_t first, std::size_t second,
                    const Segment& s, double t, bool closed) {
    const SplitResult r = split(s, t);
    TCvPoint& a = pts[first];
    TCvPoint& b = pts[second];
    a.outHandle = r.firstOut;
    b.inHandle = r.secondIn;
    if (!s.straight() && !closed) {
        if (first == 0 && !a.independent)
            a.inHandle = mirror(a.outHandle, a.anchor);
        else
            a.independent = 1;
        if (second + 1 == pts.size() && !b.independent)
            b.outHandle = mirror(b.inHandle, b.anchor);
        else
            b.independent = 1;
    }
    TCvPoint added;
    added.anchor = r.anchor;
    added.inHandle = r.inHandle;
    added.outHandle = r.outHandle;
    return added;
}

bool consecutive(int first, int second, int n, bool closed) {
    if (first < 0 || second < 0 || first >= n || second >= n) return false;
    return second == first + 1 || (closed && first == n - 1 && second == 0 && n > 1);
}

} // namespace

void TCvLine::InsertPoint(int first, int second, double t) {
    if (!consecutive(first, second, count(), closed)) return;
    const Segment s{points[first].anchor, points[first].outHandle, points[second].inHandle,
                    points[second].anchor};
    const TCvPoint added = applySplit(points, first, second, s, t, closed);
    points.insert(points.begin() + second, added);
    selected = 1;
}

void TCvLine::DoubleSelected(double t) {
    const int n = count();
    if (n < 2) return;
    const std::vector<TCvPoint> original = points;
    std::vector<TCvPoint> work = points;
    std::vector<std::pair<int, TCvPoint>> added; // new anchor after index
    for (int i = 0; i < segmentCount(); ++i) {
        const int j = (i + 1) % n;
        if (!original[i].selected || !original[j].selected) continue;
        const Segment s{original[i].anchor, original[i].outHandle, original[j].inHandle,
                        original[j].anchor};
        // The split comes from the geometry before any insertion; each split touches only
        // its own handle of each neighbour, so applying them in turn merges them.
        const TCvPoint p = applySplit(work, i, j, s, t, closed);
        added.emplace_back(i, p);
    }
    if (added.empty()) return;
    std::vector<TCvPoint> result;
    result.reserve(work.size() + added.size());
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        result.push_back(work[i]);
        if (k < added.size() && added[k].first == i) result.push_back(added[k++].second);
    }
    points = std::move(result);
    selected = 1;
}
