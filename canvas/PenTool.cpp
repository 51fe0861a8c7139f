#include "canvas/PenTool.h"

#include "canvas/HandleDrag.h"
#include "canvas/PenPath.h"
#include "canvas/Window.h"

#include <cstdlib>

namespace plumex {

namespace {

constexpr double CloseTolerance = 4; // pixels
constexpr int ShapeThreshold = 4;    // pixels

TCvLine* penLine(TCvWindow& window) {
    const int pen = window.PenPath();
    auto& lines = window.Document.Lines;
    if (pen < 0 || pen >= static_cast<int>(lines.size())) return nullptr;
    return &lines[static_cast<std::size_t>(pen)];
}

TCvPoint* penAnchor(TCvWindow& window, int point) {
    TCvLine* line = penLine(window);
    if (!line || point < 0 || point >= line->count()) return nullptr;
    return &line->points[static_cast<std::size_t>(point)];
}

// The area of the pen path's last segment, with room for the anchor squares.
void invalidateLastSegment(TCvWindow& window, const TCvLine& line) {
    const std::size_t n = line.points.size();
    if (n < 2) return;
    TCvLine last;
    last.points = {line.points[n - 2], line.points[n - 1]};
    PixelRect r = normalized(window.UnitRectToPixelRect(last.GetHullBounds()));
    const int m = window.AnchorSize() + 2;
    window.InvalidateRect({r.left - m, r.top - m, r.right + m, r.bottom + m});
}

} // namespace

bool PenTool::searchAnchors(const TCvWindow& window, AnchorSearch& how) const {
    how.penPath = window.PenPath();
    how.endsOnly = true;
    return true;
}

bool PenTool::followsCtrl(const TCvWindow& window) const {
    return window.PenPath() >= 0;
}

void PenTool::press(TCvWindow& window, const MouseEvent& e) {
    PenPressInput in;
    in.hovered = window.Hover().anchor;
    in.point = window.Press().pressPoint;
    in.tolerance = window.PixelsToUnits(CloseTolerance);
    in.shift = (e.shift & ssShift) != 0;
    in.ctrl = (e.shift & ssCtrl) != 0;
    const int before = window.PenPath();
    const PenPressResult r = penPress(window.Document.Lines.edit(), before, in);
    window.SetPenPath(r.penPath);
    if (r.pointer) window.GrabPointer(window.UnitToPixel(*r.pointer));
    window.Document.SelectionChanged();
    window.Invalidate();
    const TCvPoint* g = penAnchor(window, r.grabbed);
    if (!g) return;
    window.BeginDrag(std::make_unique<PenDrag>(r.grabbed, r.closeOrJoin,
                                               handleDirection(g->anchor, g->outHandle), before));
}

bool PenTool::hover(TCvWindow& window, const MouseEvent& e) {
    TCvLine* line = penLine(window);
    if (!line || line->closed || line->count() < 2 || window.DragState() != DragKind::Idle)
        return false;
    invalidateLastSegment(window, *line);
    const TCvCoord raw = window.PixelToUnit(e.pos.x, e.pos.y);
    const bool snap = window.Options().SnapGrid != ((e.shift & ssAlt) != 0);
    TCvCoord p = window.SnapPoint(raw, SnapAxes::both(snap));
    // Shift holds the next segment horizontal or vertical from the anchor before it.
    if (e.shift & ssShift) p = lockToAxis(line->points[line->points.size() - 2].anchor, p);
    const AnchorHit hovered = window.HitAnchor(raw);
    line->points.back() =
        floatingAnchor(window.Document.Lines, hovered, p, (e.shift & ssCtrl) != 0);
    invalidateLastSegment(window, *line);
    return false;
}

bool PenTool::rightRelease(TCvWindow& window, const MouseEvent&) {
    if (window.PenPath() < 0) return true;
    window.EndPenPath();
    window.Changed();
    return false;
}

void PenDrag::move(TCvWindow& window, const MouseEvent& e) {
    TCvPoint* g = penAnchor(window, point_);
    if (!g) return;
    if (!shaping_) {
        const PixelPoint a = window.UnitToPixel(g->anchor);
        shaping_ =
            std::abs(e.pos.x - a.x) > ShapeThreshold || std::abs(e.pos.y - a.y) > ShapeThreshold;
        if (!shaping_) return;
    }
    const TCvCoord h = handleTarget(window, e, g->anchor, direction_);
    if (closeOrJoin_) {
        if (e.shift & ssCtrl) g->independent = 1;
        dragHandle(*g, HandleSide::In, mirror(h, g->anchor));
    } else {
        dragHandle(*g, HandleSide::Out, h);
    }
    window.Invalidate();
}

void PenDrag::finish(TCvWindow& window, bool doubleClick, TCvCoord at) {
    TCvDocument& doc = window.Document;
    if (doubleClick) closeOnDoubleClick(doc.Lines.edit(), window.PenPath());
    window.RecordPressCopy(pressPenPath_);
    window.SetPenPath(finishPenPress(doc.Lines.edit(), window.PenPath(), closeOrJoin_, at));
    doc.SelectionChanged();
    window.Invalidate();
    window.Changed();
}

void PenDrag::release(TCvWindow& window, const MouseEvent& e) {
    finish(window, window.Press().doubleClick, window.PixelToUnit(e.pos.x, e.pos.y));
}

void PenDrag::cancel(TCvWindow& window) {
    const PixelPoint at = window.Press().currentPixel;
    finish(window, false, window.PixelToUnit(at.x, at.y));
}

std::optional<HandleLine> PenDrag::handleLine(const TCvWindow& window) const {
    const int pen = window.PenPath();
    const auto& lines = window.Document.Lines;
    if (pen < 0 || pen >= static_cast<int>(lines.size())) return std::nullopt;
    const auto& pts = lines[static_cast<std::size_t>(pen)].points;
    if (point_ < 0 || point_ >= static_cast<int>(pts.size())) return std::nullopt;
    const TCvPoint& g = pts[static_cast<std::size_t>(point_)];
    return HandleLine{g.anchor, g.outHandle};
}

} // namespace plumex
