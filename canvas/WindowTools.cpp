// The machinery the tools share: the press-time copy and the undo step it becomes, the hover
// feedback with its anchor hit test, and the selection operations of mouse clicks.
#include "canvas/Window.h"

#include "canvas/ToolBehaviour.h"

#include <utility>

using namespace plumex;

namespace {
constexpr double AnchorTolerance = 4; // pixels
constexpr int GuideTolerance = 6;     // pixels
} // namespace

void TCvWindow::TakePressCopy(PressCopy scope) {
    const LineList& lines = Document.Lines;
    base_.taken = true;
    base_.whole = scope == PressCopy::Whole;
    if (base_.whole)
        base_.lines = lines.vector();
    else
        base_.lines.clear();
    base_.lineCount = lines.size();
    base_.mark = lines.mark();
    base_.pivot = Document.Pivot;
    base_.bounds = Document.SelectionBounds;
    base_.selection.clear();
    base_.selectedIndices.clear();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (!lines[i].selected) continue;
        base_.selectedIndices.push_back(i);
        base_.selection.push_back(lines[i]);
    }
}

// Whether the paths differ from the press: for a selection copy only the copied paths and the
// count are compared, since nothing else was given to the drag to change.
bool TCvWindow::pressCopyDiffers() const {
    if (base_.whole) return Document.Lines.vector() != base_.lines;
    if (Document.Lines.size() != base_.lineCount) return true;
    for (std::size_t k = 0; k < base_.selection.size(); ++k)
        if (Document.Lines[static_cast<std::size_t>(base_.selectedIndices[k])] !=
            base_.selection[k])
            return true;
    return false;
}

bool TCvWindow::RecordPressCopy(int penPath) {
    const bool record = base_.taken && pressCopyDiffers();
    base_.taken = false;
    if (!record) return false;
    if (base_.whole)
        Document.UndoBuffer.Record(base_.lines, base_.pivot, penPath);
    else
        Document.RecordBefore(base_.selection, base_.selectedIndices, base_.lineCount, base_.pivot,
                              penPath, base_.mark);
    return true;
}

bool TCvWindow::FinishEdit() {
    // The frame as the last step left it on the screen, before the bounds are measured again.
    const PixelRect shown = selectionExtent();
    Document.UpdateSelectionBounds();
    invalidateFinishedEdit(shown);
    const bool recorded = RecordPressCopy(penPath_);
    if (recorded) Changed();
    return recorded;
}

AnchorHit TCvWindow::GrabbedAnchor() const {
    return drag_ ? drag_->grabbed() : AnchorHit{};
}

AnchorHit TCvWindow::HitAnchor(TCvCoord p) const {
    const DragKind state = DragState();
    const bool guideMove = state == DragKind::VerticalGuide || state == DragKind::HorizontalGuide;
    if (drag_ && !drag_->searchesAnchors()) return {};
    AnchorSearch how;
    how.tolerance = PixelsToUnits(AnchorTolerance);
    how.includeSelected = state != DragKind::Move;
    // A moving guide snaps to anchors whatever the tool, but never to handles.
    if (!CurrentTool().searchAnchors(*this, how) && !guideMove) return {};
    if (guideMove) how.handlesOfSelected = false;
    return hitAnchor(Document.Lines, PathsIndex(), p, how);
}

const PathIndex& TCvWindow::PathsIndex() const {
    pathIndex_.sync(Document.Lines);
    return pathIndex_;
}

void TCvWindow::UpdateHover(const MouseEvent& e) {
    hover_.zone = HoverZone::None;
    const bool toolCursor = CurrentTool().hover(*this, e);
    const AnchorHit hit = HitAnchor(PixelToUnit(e.pos.x, e.pos.y));
    if (DragState() == DragKind::Idle) hover_.anchor = hit;
    hover_.guide.reset();
    if (hit) {
        SetScreenCursor(CurrentTool().anchorCursor());
        return;
    }
    if (hoverGuides(e)) return;
    if (!toolCursor) refreshCursor();
}

bool TCvWindow::hoverGuides(const MouseEvent& e) {
    if (!options_->ShowGuides || options_->LockGuides) return false;
    if (!CurrentTool().grabsGuides() || DragState() != DragKind::Idle) return false;
    if (hover_.zone != HoverZone::None && hover_.zone != HoverZone::Inside) return false;
    const TCvCoord u = PixelToUnit(e.pos.x, e.pos.y);
    const double tol = PixelsToUnits(GuideTolerance);
    const auto& v = Document.Settings.verticalGuides;
    for (int i = 0; i < static_cast<int>(v.size()); ++i) {
        if (std::abs(v[i] - u.x) > tol) continue;
        hover_.guide = MovingGuide{GuideAxis::Vertical, i};
        SetScreenCursor(CursorShape::SplitH);
        return true;
    }
    const auto& h = Document.Settings.horizontalGuides;
    for (int i = 0; i < static_cast<int>(h.size()); ++i) {
        if (std::abs(h[i] - u.y) > tol) continue;
        hover_.guide = MovingGuide{GuideAxis::Horizontal, i};
        SetScreenCursor(CursorShape::SplitV);
        return true;
    }
    return false;
}

void TCvWindow::GrabPointer(PixelPoint p) {
    press_.pressPixel = p;
    press_.currentPixel = p;
    if (host_) host_->movePointer(p);
}

void TCvWindow::GrabAnchor(TCvCoord at) {
    GrabPointer(UnitToPixel(at));
    press_.pressPoint = press_.point = at;
}

void TCvWindow::SnapPressPixel() {
    if (!press_.snapGrid) return;
    press_.pressPixel = UnitToPixel(press_.pressPoint);
    press_.currentPixel = press_.pressPixel;
}

void TCvWindow::SetScreenCursor(CursorShape shape) {
    if (host_) host_->setCursor(shape);
}

void TCvWindow::LendTool(ToolKind tool) {
    tool_ = tool;
    refreshCursor();
    invalidateAll();
}

void TCvWindow::SelectOnly(int path) {
    // Only the paths with something selected and the chosen one change.
    const PathIndex& index = PathsIndex();
    const PixelRect before = selectionExtent();
    const LineList::Mark mark = Document.Lines.mark();
    for (int i = 0; i < static_cast<int>(Document.Lines.size()); ++i)
        if (i == path || index.anySelected(static_cast<std::size_t>(i)))
            Document.Lines.selectPath(static_cast<std::size_t>(i), i == path);
    Document.SelectionChanged();
    invalidateWritten(mark, before);
}

void TCvWindow::SetPathSelected(int path, bool selected) {
    if (path < 0 || path >= static_cast<int>(Document.Lines.size())) return;
    const PixelRect before = selectionExtent();
    const LineList::Mark mark = Document.Lines.mark();
    Document.Lines.selectPath(static_cast<std::size_t>(path), selected);
    Document.SelectionChanged();
    invalidateWritten(mark, before);
}

void TCvWindow::SelectInRect(const PixelRect& r, SelectMode mode) {
    if (mode == SelectMode::Replace) Document.DeselectPaths();
    const PixelRect n = normalized(r);
    const TCvCoord a = PixelToUnit(n.left, n.top);
    const TCvCoord b = PixelToUnit(n.right, n.bottom);
    // A path whose hull misses the rectangle has no anchor in it: only the others are read.
    const PathIndex& index = PathsIndex();
    const TCvRect area = plumex::boundsOf({a, b});
    for (std::size_t i = 0; i < Document.Lines.size(); ++i) {
        const TCvLine& line = std::as_const(Document.Lines)[i];
        if (!line.visible || line.locked || !index.overlaps(i, area) || !line.AnyPointIn(a, b))
            continue;
        Document.Lines.selectPath(i, !line.selected);
    }
    Document.SelectionChanged();
    invalidateAll();
}
