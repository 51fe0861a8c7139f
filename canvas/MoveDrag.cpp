#include "canvas/MoveDrag.h"

#include "canvas/Window.h"
#include "commands/MoveSelection.h"

namespace plumex {

namespace {

TCvCoord anchorOf(const TCvDocument& doc, const AnchorHit& a) {
    return doc.Lines[static_cast<std::size_t>(a.path)]
        .points[static_cast<std::size_t>(a.point)]
        .anchor;
}

} // namespace

void MoveDrag::duplicate(TCvWindow& window) {
    TCvDocument& doc = window.Document;
    const std::size_t first = doc.Lines.size();
    std::vector<TCvLine> copies = doc.CollectSelected();
    doc.DeselectPaths();
    doc.Lines.insert(doc.Lines.end(), copies.begin(), copies.end());
    doc.UpdateSelectionBounds();
    if (!grip_.anchor) return;
    // The grabbed anchor is now the copy's: the selected anchor at the same place.
    const TCvCoord at = anchorOf(doc, grip_.anchor);
    for (std::size_t i = first; i < doc.Lines.size(); ++i) {
        const auto& pts = doc.Lines[i].points;
        for (std::size_t k = 0; k < pts.size(); ++k) {
            if (!pts[k].selected || !equal(pts[k].anchor, at)) continue;
            grip_.anchor = {static_cast<int>(i), static_cast<int>(k), at, false};
            return;
        }
    }
}

void MoveDrag::moveBy(TCvWindow& window, TCvCoord v) {
    // Only the moved paths, where they were and where they are, and the selection helper are
    // painted again: the rest of a large drawing stays in the buffer.
    const PixelRect before = window.SelectedPathsExtent();
    const LineList::Mark mark = window.Document.Lines.mark();
    if (what_ == MoveWhat::Objects)
        MoveObjects(window.Document, v);
    else
        MoveAnchors(window.Document, v);
    window.InvalidateEdited(mark, before);
}

void MoveDrag::move(TCvWindow& window, const MouseEvent&) {
    if (state_ == DragKind::CopyPress) {
        duplicate(window);
        state_ = DragKind::Move;
    }
    const PressContext& p = window.Press();
    const TCvCoord target = p.lockedPoint();
    TCvCoord v;
    if (grip_.anchor) {
        v = subtract(target, anchorOf(window.Document, grip_.anchor));
    } else {
        v = subtract(target, lastPoint_);
        const TCvRect& b = window.Document.SelectionBounds;
        const TCvRect moved{b.left + v.x, b.top + v.y, b.right + v.x, b.bottom + v.y};
        TCvCoord fix = window.SnapRect(
            moved, SnapAxes{.x = p.snapGrid && !p.lockX, .y = p.snapGrid && !p.lockY});
        if (p.lockX) fix.x = 0;
        if (p.lockY) fix.y = 0;
        v = add(v, fix);
    }
    if (v.x == 0 && v.y == 0) return;
    moveBy(window, v);
    lastPoint_ = add(lastPoint_, v);
}

bool MoveDrag::press(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    if (e.button != MouseButton::Right || !grip_.anchor || !p.nearest) return false;
    if (state_ == DragKind::CopyPress) return false;
    moveBy(window, subtract(p.nearest.at, anchorOf(window.Document, grip_.anchor)));
    window.FinishEdit();
    return true;
}

void MoveDrag::release(TCvWindow& window, const MouseEvent&) {
    window.FinishEdit();
}

void MoveDrag::cancel(TCvWindow& window) {
    // What moved stays moved, so it must be undoable.
    window.FinishEdit();
}

void PivotDrag::move(TCvWindow& window, const MouseEvent&) {
    window.Document.Pivot = window.Press().lockedPoint();
    window.Invalidate();
}

bool PivotDrag::press(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    if (e.button != MouseButton::Right || !p.nearest) return false;
    window.Document.Pivot = p.nearest.at;
    window.Invalidate();
    return true;
}

void PivotDrag::release(TCvWindow& window, const MouseEvent&) {
    window.Invalidate();
}

} // namespace plumex
