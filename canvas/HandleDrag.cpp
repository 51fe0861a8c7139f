#include "canvas/HandleDrag.h"

#include "canvas/Window.h"

namespace plumex {

TCvCoord handleTarget(const TCvWindow& window, const MouseEvent& e, TCvCoord anchor,
                      std::optional<double> direction) {
    const bool snap = window.Press().snapGrid;
    const TCvCoord h = window.SnapPoint(window.PixelToUnit(e.pos.x, e.pos.y), SnapAxes::both(snap));
    return (e.shift & ssShift) ? constrainHandle(anchor, h, direction) : h;
}

namespace {

// The anchor by index, or null when the drawing no longer has it.
template <class Lines> auto* anchorAt(Lines& lines, int path, int point) {
    decltype(&lines[0].points[0]) none = nullptr;
    if (path < 0 || path >= static_cast<int>(lines.size())) return none;
    auto& pts = lines[static_cast<std::size_t>(path)].points;
    if (point < 0 || point >= static_cast<int>(pts.size())) return none;
    return &pts[static_cast<std::size_t>(point)];
}

} // namespace

TCvPoint* HandleDrag::point(TCvWindow& window) const {
    return anchorAt(window.Document.Lines, path_, point_);
}

void HandleDrag::move(TCvWindow& window, const MouseEvent& e) {
    if (!point(window)) return;
    // The handle reshapes the segments on both sides of the anchor: the path where it was and
    // where it is now is painted again.
    const PixelRect before = window.SelectedPathsExtent();
    const LineList::Mark mark = window.Document.Lines.mark();
    TCvPoint* p = point(window);
    dragHandle(*p, side_, handleTarget(window, e, p->anchor, direction_));
    window.InvalidateEdited(mark, before);
}

void HandleDrag::release(TCvWindow& window, const MouseEvent& e) {
    TCvPoint* p = point(window);
    if (p && window.Press().doubleClick) {
        if (e.shift & ssCtrl)
            retractHandle(*p, side_);
        else if (e.shift & ssShift) {
            if (direction_) levelHandles(*p, side_, *direction_);
        } else
            remirrorHandles(*p, side_);
    }
    window.FinishEdit();
}

void HandleDrag::cancel(TCvWindow& window) {
    // What was dragged stays, so it must be undoable.
    window.FinishEdit();
}

std::optional<HandleLine> HandleDrag::handleLine(const TCvWindow& window) const {
    const TCvPoint* p = anchorAt(window.Document.Lines, path_, point_);
    if (!p) return std::nullopt;
    return HandleLine{p->anchor, side_ == HandleSide::Out ? p->outHandle : p->inHandle};
}

} // namespace plumex
