#include "canvas/PathPainter.h"

#include "canvas/ColorRole.h"

namespace plumex {

namespace {

using enum ColorRole;

void drawAnchor(Surface& s, const TCvLine& line, int i, const ViewTransform& view, int size,
                const ColorTable& colors) {
    const auto [pen, fill] = anchorRoles(line, i);
    s.rectangle(anchorSquare(view.UnitToPixel(line.points[i].anchor), size), roleColor(colors, pen),
                roleColor(colors, fill));
}

void drawHandles(Surface& s, const TCvPoint& p, const ViewTransform& view, int size,
                 const ColorTable& colors) {
    const PixelPoint in = view.UnitToPixel(p.inHandle);
    const PixelPoint out = view.UnitToPixel(p.outHandle);
    const PixelPoint pts[3] = {in, view.UnitToPixel(p.anchor), out};
    const Color ink = roleColor(colors, Control);
    const Color paper = roleColor(colors, Background);
    s.polyline(pts, ink);
    s.rectangle(anchorSquare(in, size), ink, paper);
    s.rectangle(anchorSquare(out, size), ink, paper);
}

} // namespace

PixelRect anchorSquare(PixelPoint p, int size) {
    const int l = p.x - size / 2;
    const int t = p.y - size / 2;
    return {l, t, l + size, t + size};
}

void DrawLine(Surface& s, const TCvLine& line, const ViewTransform& view, const LineStyle& style,
              const ColorTable& colors) {
    if (line.points.empty()) return;
    const auto pts = line.BezierPointList([&](TCvCoord c) { return view.UnitToPixel(c); });
    const ColorRole pen = line.selected ? Selected : line.locked ? Locked : Unselected;
    s.polyBezier(pts, roleColor(colors, pen));
    if (style.handles && !line.locked)
        for (const TCvPoint& p : line.points)
            if (p.selected) drawHandles(s, p, view, style.anchorSize, colors);
    if (style.anchors)
        for (int i = 0; i < line.count(); ++i)
            drawAnchor(s, line, i, view, style.anchorSize, colors);
}

void DrawSelectedAnchors(Surface& s, const TCvLine& line, const ViewTransform& view, int anchorSize,
                         const ColorTable& colors) {
    for (int i = 0; i < line.count(); ++i)
        if (line.points[i].selected) drawAnchor(s, line, i, view, anchorSize, colors);
}

} // namespace plumex
