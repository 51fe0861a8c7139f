// MergeHole: joins a hole into its outline along a straight bridge.
#include "model/Path.h"

using namespace plumex;

namespace {

// The anchors a bridge may start from: all of a closed or one-anchor path, else the two ends.
bool candidate(const TCvLine& line, std::size_t i) {
    return line.closed || line.points.size() == 1 || i == 0 || i + 1 == line.points.size();
}

// Rotates a closed path to start at k and repeats its first anchor at the end.
void openAt(TCvLine& line, int k) {
    line.RotateStart(k);
    line.points.push_back(line.points.front());
}

} // namespace

void TCvLine::MergeHole(TCvLine inner) {
    if (points.empty() || inner.points.empty()) return;
    int bi = -1, bj = -1;
    double best = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!candidate(*this, i)) continue;
        for (std::size_t j = 0; j < inner.points.size(); ++j) {
            if (!candidate(inner, j)) continue;
            const double d = distance(points[i].anchor, inner.points[j].anchor);
            if (bi < 0 || d < best) {
                bi = static_cast<int>(i);
                bj = static_cast<int>(j);
                best = d;
            }
        }
    }
    if (closed) {
        openAt(*this, bi);
        points.front().inHandle = points.front().anchor;
    } else if (bi == 0) {
        Reverse();
    }
    if (inner.closed) {
        openAt(inner, bj);
        inner.points.back().outHandle = inner.points.back().anchor;
    } else if (bj != 0) {
        inner.Reverse();
    }
    TCvPoint& last = points.back();
    TCvPoint& head = inner.points.front();
    if (equal(last.anchor, head.anchor)) {
        last.outHandle = head.outHandle;
        inner.points.erase(inner.points.begin());
    } else {
        last.outHandle = last.anchor;
        head.inHandle = head.anchor;
    }
    Append(inner);
}
