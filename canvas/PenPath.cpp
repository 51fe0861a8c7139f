#include "canvas/PenPath.h"

namespace plumex {

namespace {

bool valid(const std::vector<TCvLine>& lines, int i) {
    return i >= 0 && i < static_cast<int>(lines.size());
}

TCvLine& at(std::vector<TCvLine>& lines, int i) {
    return lines[static_cast<std::size_t>(i)];
}

PathEnd hoveredEnd(const std::vector<TCvLine>& lines, const AnchorHit& a) {
    if (!a || !valid(lines, a.path)) return PathEnd::None;
    return openEnd(lines[static_cast<std::size_t>(a.path)], a.point);
}

// No pen path: continue the hovered end of an open path, else start a new one at the point.
PenPressResult start(std::vector<TCvLine>& lines, const PenPressInput& in) {
    PenPressResult r;
    const PathEnd end = hoveredEnd(lines, in.hovered);
    if (end != PathEnd::None) {
        if (end == PathEnd::First) at(lines, in.hovered.path).Reverse();
        r.penPath = in.hovered.path;
    } else {
        TCvLine line;
        line.points.push_back(placedAnchor(in.point));
        lines.push_back(std::move(line));
        r.penPath = static_cast<int>(lines.size()) - 1;
    }
    TCvLine& pen = at(lines, r.penPath);
    r.grabbed = pen.count() - 1;
    if (in.ctrl) {
        TCvPoint& g = pen.points.back();
        g.independent = 1;
        g.outHandle = g.anchor;
    }
    return r;
}

// The hovered end of another open path is joined on, in the order that puts it first.
PenPressResult join(std::vector<TCvLine>& lines, int penPath, const PenPressInput& in) {
    TCvLine other = at(lines, in.hovered.path);
    if (hoveredEnd(lines, in.hovered) == PathEnd::Last) other.Reverse();
    if (in.ctrl) other.points.front().independent = 1;
    PenPressResult r;
    r.grabbed = at(lines, penPath).count();
    r.closeOrJoin = true;
    at(lines, penPath).Append(other);
    lines.erase(lines.begin() + in.hovered.path);
    r.penPath = in.hovered.path < penPath ? penPath - 1 : penPath;
    return r;
}

PenPressResult extend(std::vector<TCvLine>& lines, int penPath, const PenPressInput& in) {
    removeFloatingAnchor(lines, penPath);
    if (in.hovered.path != penPath && hoveredEnd(lines, in.hovered) != PathEnd::None)
        return join(lines, penPath, in);
    TCvLine& pen = at(lines, penPath);
    PenPressResult r;
    r.penPath = penPath;
    // A single anchor closed onto itself makes no shape: such a press places a corner instead.
    if (pen.count() > 1 && near(in.point, pen.points.front().anchor, in.tolerance)) {
        pen.closed = 1;
        r.grabbed = 0;
        r.closeOrJoin = true;
        if (in.ctrl) {
            pen.points.front().independent = 1;
            pen.points.front().inHandle = pen.points.front().anchor;
        }
        return r;
    }
    if (!pen.points.empty() && near(in.point, pen.points.back().anchor, in.tolerance)) {
        TCvPoint& last = pen.points.back();
        last.outHandle = last.anchor;
        if (!in.ctrl) last.inHandle = last.anchor;
    } else {
        TCvCoord p = in.point;
        if (in.shift && !pen.points.empty()) {
            p = lockToAxis(pen.points.back().anchor, p);
            r.pointer = p;
        }
        pen.points.push_back(placedAnchor(p));
    }
    r.grabbed = pen.count() - 1;
    pen.points.back().independent = in.ctrl ? 1 : 0;
    return r;
}

} // namespace

PathEnd openEnd(const TCvLine& line, int index) {
    if (line.closed || index < 0 || index >= line.count()) return PathEnd::None;
    if (index == line.count() - 1) return PathEnd::Last;
    return index == 0 ? PathEnd::First : PathEnd::None;
}

TCvPoint placedAnchor(TCvCoord p) {
    return TCvPoint(p, p, p);
}

PenPressResult penPress(std::vector<TCvLine>& lines, int penPath, const PenPressInput& in) {
    const bool drawing = valid(lines, penPath) && !lines[std::size_t(penPath)].closed;
    PenPressResult r = drawing ? extend(lines, penPath, in) : start(lines, in);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) at(lines, i).SelectAll(i == r.penPath);
    return r;
}

TCvPoint floatingAnchor(const std::vector<TCvLine>& lines, const AnchorHit& hovered, TCvCoord p,
                        bool ctrl) {
    TCvPoint f = placedAnchor(p);
    if (hovered && valid(lines, hovered.path) &&
        hovered.point < lines[std::size_t(hovered.path)].count()) {
        const TCvPoint& h = lines[std::size_t(hovered.path)].points[std::size_t(hovered.point)];
        f.anchor = h.anchor;
        // Joining at a last anchor reverses that path, which swaps its handles.
        f.inHandle = hovered.point == 0 ? h.inHandle : h.outHandle;
        f.outHandle = hovered.point == 0 ? h.outHandle : h.inHandle;
    }
    if (ctrl) f.inHandle = f.anchor;
    f.updateIndependent();
    return f;
}

void closeOnDoubleClick(std::vector<TCvLine>& lines, int penPath) {
    if (!valid(lines, penPath)) return;
    TCvLine& pen = at(lines, penPath);
    if (pen.count() < 2) return;
    TCvPoint& first = pen.points.front();
    first.inHandle = first.anchor;
    first.updateIndependent();
    pen.closed = 1;
}

int finishPenPress(std::vector<TCvLine>& lines, int penPath, bool closeOrJoin, TCvCoord p) {
    if (!valid(lines, penPath)) return -1;
    TCvLine& pen = at(lines, penPath);
    if (pen.closed || closeOrJoin) {
        pen.SelectAll(true);
        return -1;
    }
    pen.points.push_back(placedAnchor(p));
    return penPath;
}

void removeFloatingAnchor(std::vector<TCvLine>& lines, int penPath) {
    if (!valid(lines, penPath)) return;
    TCvLine& pen = at(lines, penPath);
    if (!pen.closed && pen.count() > 1) pen.points.pop_back();
}

} // namespace plumex
