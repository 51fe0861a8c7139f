#include "model/Path.h"

#include <algorithm>
#include <functional>

using namespace plumex;

int TCvLine::segmentCount() const {
    if (points.empty()) return 0;
    return closed ? count() : count() - 1;
}

Segment TCvLine::segment(int i) const {
    const TCvPoint& p = points[static_cast<std::size_t>(i)];
    const TCvPoint& q = points[static_cast<std::size_t>((i + 1) % count())];
    return {p.anchor, p.outHandle, q.inHandle, q.anchor};
}

TCvRect TCvLine::GetBounds() const {
    if (points.empty()) return {};
    TCvRect r(points[0].anchor);
    for (const TCvPoint& p : points) extend(r, p.anchor);
    const int n = segmentCount();
    for (int i = 0; i < n; ++i) {
        const Segment s = segment(i);
        if (!contains(r, s.h1) || !contains(r, s.h2)) r = unite(r, segmentBounds(s));
    }
    return r;
}

void TCvLine::ExtendBounds(TCvRect& r) const {
    if (!points.empty()) r = unite(r, GetBounds());
}

void TCvLine::Clear() {
    TCvObject::Clear();
    points.clear();
    closed = 0;
}

void TCvLine::Translate(TCvCoord v) {
    for (TCvPoint& p : points) {
        p.anchor = add(p.anchor, v);
        p.inHandle = add(p.inHandle, v);
        p.outHandle = add(p.outHandle, v);
    }
}

TCvRect TCvLine::GetHullBounds() const {
    if (points.empty()) return {};
    TCvRect r(points[0].anchor);
    for (const TCvPoint& p : points) {
        extend(r, p.anchor);
        extend(r, p.inHandle);
        extend(r, p.outHandle);
    }
    return r;
}

TCvCoord TCvLine::LastAnchor() const {
    return points.empty() ? TCvCoord{} : points.back().anchor;
}

TCvCoord TCvLine::FirstAnchor() const {
    return points.empty() ? TCvCoord{} : points.front().anchor;
}

int TCvLine::IndexOfPoint(const TCvPoint* p) const {
    if (points.empty() || p == nullptr) return -1;
    const TCvPoint* first = points.data();
    const TCvPoint* last = first + points.size();
    // std::less gives a total order even for pointers into other arrays.
    if (std::less<const TCvPoint*>()(p, first) || !std::less<const TCvPoint*>()(p, last)) return -1;
    return static_cast<int>(p - first);
}

bool TCvLine::AnyPointIn(TCvCoord corner1, TCvCoord corner2) const {
    const TCvRect r = boundsOf({corner1, corner2});
    return std::any_of(points.begin(), points.end(),
                       [&](const TCvPoint& p) { return contains(r, p.anchor); });
}

void TCvLine::Transform(TCvCoord centre, TCvCoord xAxis, TCvCoord yAxis) {
    auto map = [&](TCvCoord p) { return linearMap(p, xAxis.x, xAxis.y, yAxis.x, yAxis.y, centre); };
    for (TCvPoint& p : points) {
        p.anchor = map(p.anchor);
        p.inHandle = map(p.inHandle);
        p.outHandle = map(p.outHandle);
    }
}

void TCvLine::TranslateSelected(TCvCoord v) {
    for (TCvPoint& p : points) {
        if (!p.selected) continue;
        p.anchor = add(p.anchor, v);
        p.inHandle = add(p.inHandle, v);
        p.outHandle = add(p.outHandle, v);
    }
}

void TCvLine::Scale(double kx, double ky) {
    Transform({0, 0}, {kx, 0}, {0, ky});
}

void TCvLine::SelectAll(bool value) {
    for (TCvPoint& p : points) p.selected = value ? 1 : 0;
    selected = value ? 1 : 0;
}

void TCvLine::UpdateSelected() {
    selected =
        std::any_of(points.begin(), points.end(), [](const TCvPoint& p) { return p.selected != 0; })
            ? 1
            : 0;
}

void TCvLine::Reverse() {
    std::reverse(points.begin(), points.end());
    for (TCvPoint& p : points) std::swap(p.inHandle, p.outHandle);
}

void TCvLine::SwapHandlesOfSelected() {
    for (TCvPoint& p : points)
        if (p.selected) std::swap(p.inHandle, p.outHandle);
}

void TCvLine::RotateStart(int k) {
    const int n = count();
    if (n == 0) return;
    const int r = ((k % n) + n) % n;
    if (r != 0) std::rotate(points.begin(), points.begin() + r, points.end());
}

void TCvLine::RemoveSelectedPoints() {
    std::erase_if(points, [](const TCvPoint& p) { return p.selected != 0; });
    if (points.size() < 2) closed = 0;
}

void TCvLine::Append(const TCvLine& other) {
    points.insert(points.end(), other.points.begin(), other.points.end());
    UpdateSelected();
}

int TCvLine::NearestPoint(TCvCoord p, double tol, bool includeLast, bool includeSelected,
                          bool withHandles, TCvCoord* hit) const {
    int result = -1;
    double best = 0;
    auto compete = [&](int index, TCvCoord where, double score) {
        if (result < 0 || score < best) {
            result = index;
            best = score;
            if (hit) *hit = where;
        }
    };
    const int n = includeLast ? count() : count() - 1;
    for (int i = 0; i < n; ++i) {
        const TCvPoint& pt = points[static_cast<std::size_t>(i)];
        if (pt.selected && !includeSelected) continue;
        if (near(pt.anchor, p, tol)) compete(i, pt.anchor, distance(pt.anchor, p));
        if (!withHandles || !pt.selected) continue;
        for (TCvCoord h : {pt.inHandle, pt.outHandle})
            if (near(h, p, tol)) compete(i, h, std::abs(h.x - p.x) + std::abs(h.y - p.y));
    }
    return result;
}

bool operator==(const TCvLine& a, const TCvLine& b) {
    return a.closed == b.closed && a.locked == b.locked && a.visible == b.visible &&
           a.name == b.name && a.points == b.points;
}
