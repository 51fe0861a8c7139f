#include "commands/ObjectCommands.h"

#include <algorithm>

namespace plumex {

namespace {

// A new path of copies of anchors first..last of `from`, fully selected.
TCvLine piece(const std::vector<TCvPoint>& from, std::size_t first, std::size_t last) {
    TCvLine line;
    line.points.assign(from.begin() + static_cast<std::ptrdiff_t>(first),
                       from.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    line.SelectAll(true);
    return line;
}

// The anchors of `line`, a closed path rotated to start at its first selected anchor.
std::vector<TCvPoint> unwrapped(const TCvLine& line) {
    TCvLine copy = line;
    if (copy.closed) {
        const auto it = std::find_if(copy.points.begin(), copy.points.end(),
                                     [](const TCvPoint& p) { return p.selected != 0; });
        if (it != copy.points.end()) copy.RotateStart(static_cast<int>(it - copy.points.begin()));
    }
    return std::move(copy.points);
}

// Calls f(i, j) for every maximal run i..j-1 of unselected anchors.
template <class F> void forEachUnselectedRun(const std::vector<TCvPoint>& pts, F f) {
    std::size_t i = 0;
    while (i < pts.size()) {
        if (pts[i].selected) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < pts.size() && !pts[j].selected) ++j;
        f(i, j);
        i = j;
    }
}

// Rebuilds Lines with every selected path replaced by its pieces.
template <class Split> bool splitSelection(TCvDocument& doc, int penPath, Split split) {
    if (doc.CountSelected() == 0) return false;
    doc.Record(penPath);
    std::vector<TCvLine> result;
    result.reserve(doc.Lines.size());
    for (TCvLine& line : doc.Lines) {
        line.UpdateSelected();
        if (!line.selected) {
            result.push_back(std::move(line));
            continue;
        }
        for (TCvLine& p : split(line)) result.push_back(std::move(p));
    }
    doc.Lines = std::move(result);
    doc.SelectionChanged();
    return true;
}

} // namespace

std::vector<TCvLine> piecesWithoutSelectedAnchors(const TCvLine& line) {
    const std::vector<TCvPoint> pts = unwrapped(line);
    std::vector<TCvLine> out;
    forEachUnselectedRun(
        pts, [&](std::size_t i, std::size_t j) { out.push_back(piece(pts, i, j - 1)); });
    return out;
}

std::vector<TCvLine> piecesWithoutSelectedSegments(const TCvLine& line) {
    const std::vector<TCvPoint> pts = unwrapped(line);
    const std::size_t n = pts.size();
    std::vector<TCvLine> out;
    forEachUnselectedRun(pts, [&](std::size_t i, std::size_t j) {
        TCvLine p = piece(pts, i > 0 ? i - 1 : i, j < n ? j : n - 1);
        // The closing segment survives: it runs from the last anchor back to anchor 0.
        if (j == n && line.closed) {
            p.points.push_back(pts[0]);
            p.SelectAll(true);
        }
        out.push_back(std::move(p));
    });
    return out;
}

bool DeleteSelection(TCvDocument& doc, int penPath) {
    return splitSelection(doc, penPath, piecesWithoutSelectedAnchors);
}

bool DeleteSegments(TCvDocument& doc, int penPath) {
    return splitSelection(doc, penPath, piecesWithoutSelectedSegments);
}

bool Dupe(TCvDocument& doc, int penPath) {
    if (doc.CountSelected() == 0) return false;
    doc.Record(penPath);
    std::vector<TCvLine> copies = doc.CollectSelected();
    doc.DeselectPaths();
    doc.Append(copies);
    return true;
}

namespace {

bool restack(TCvDocument& doc, int penPath, bool front) {
    const int n = doc.CountSelected();
    if (n == 0 || n == static_cast<int>(doc.Lines.size())) return false;
    doc.Record(penPath);
    std::vector<TCvLine> copies = doc.CollectSelected();
    doc.DeleteSelected();
    if (front)
        doc.Append(copies);
    else
        doc.InsertAtFront(copies);
    return true;
}

} // namespace

bool LayerFront(TCvDocument& doc, int penPath) {
    return restack(doc, penPath, true);
}
bool LayerBack(TCvDocument& doc, int penPath) {
    return restack(doc, penPath, false);
}

} // namespace plumex
