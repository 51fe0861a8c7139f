#include "canvas/ShapeTool.h"

#include "canvas/Window.h"

#include <algorithm>
#include <cstdlib>

namespace plumex {

TCvLine RectanglePath(const TCvRect& r) {
    TCvLine line;
    for (TCvCoord p : {TCvCoord{r.left, r.top}, TCvCoord{r.right, r.top},
                       TCvCoord{r.right, r.bottom}, TCvCoord{r.left, r.bottom}})
        line.points.emplace_back(p, p, p);
    line.closed = 1;
    return line;
}

TCvLine EllipsePath(const TCvRect& r) {
    const double cx = (r.left + r.right) / 2;
    const double cy = (r.top + r.bottom) / 2;
    const double kx = (cx - r.left) * EllipseHandleFactor;
    const double ky = (cy - r.top) * EllipseHandleFactor; // negative: top is above bottom
    TCvLine line;
    line.points.emplace_back(TCvCoord{cx, r.top}, TCvCoord{cx - kx, r.top},
                             TCvCoord{cx + kx, r.top});
    line.points.emplace_back(TCvCoord{r.right, cy}, TCvCoord{r.right, cy - ky},
                             TCvCoord{r.right, cy + ky});
    line.points.emplace_back(TCvCoord{cx, r.bottom}, TCvCoord{cx + kx, r.bottom},
                             TCvCoord{cx - kx, r.bottom});
    line.points.emplace_back(TCvCoord{r.left, cy}, TCvCoord{r.left, cy + ky},
                             TCvCoord{r.left, cy - ky});
    line.closed = 1;
    return line;
}

ShapeBandDrag::ShapeBandDrag(TCvWindow& window, Finish finish, BandShape shape)
    : RubberBandDrag(window, std::move(finish), shape) {}

PixelPoint ShapeBandDrag::corner(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    PixelPoint c = e.pos;
    if (e.shift & ssShift) {
        const int dx = c.x - p.pressPixel.x;
        const int dy = c.y - p.pressPixel.y;
        const int d = std::max(std::abs(dx), std::abs(dy));
        c = {p.pressPixel.x + (dx < 0 ? -d : d), p.pressPixel.y + (dy < 0 ? -d : d)};
    }
    if (p.snapGrid)
        c = window.UnitToPixel(window.SnapPoint(window.PixelToUnit(c.x, c.y), SnapAxes::both()));
    return c;
}

void ShapeTool::press(TCvWindow& window, const MouseEvent&) {
    window.SnapPressPixel();
    window.BeginDrag(std::make_unique<ShapeBandDrag>(
        window,
        [this](TCvWindow& w, const PixelRect& band, const MouseEvent& e) { finish(w, band, e); },
        shape_));
}

void ShapeTool::finish(TCvWindow& window, const PixelRect& band, const MouseEvent& e) {
    if (window.Press().doubleClick) {
        CanvasHost* host = window.Host();
        if (!host) return;
        SizeRequest request{0, size_.x, size_.y, ellipse() ? 174 : 173, e.pos};
        const std::optional<SizeAnswer> a = host->runSizeDialog(request);
        if (!a) return;
        const TCvCoord at = window.Press().pressPoint;
        create(window, {at.x, at.y, at.x + a->width, at.y - a->height});
    } else if (band.width() != 0 && band.height() != 0) {
        create(window, window.PixelRectToUnitRect(normalized(band)));
    }
}

void ShapeTool::create(TCvWindow& window, const TCvRect& r) {
    TCvDocument& doc = window.Document;
    doc.DeselectAll();
    TCvLine line = ellipse() ? EllipsePath(r) : RectanglePath(r);
    line.SelectAll(true);
    doc.Lines.push_back(std::move(line));
    doc.SelectionChanged();
    size_ = {r.right - r.left, r.top - r.bottom};
    window.FinishEdit();
}

} // namespace plumex
