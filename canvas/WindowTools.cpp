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
    press_.hasCopy = true;
    press_.wholeCopy = scope == PressCopy::Whole;
    if (press_.wholeCopy)
        press_.lines = lines.vector();
    else
        press_.lines.clear();
    press_.lineCount = lines.size();
    press_.mark = lines.mark();
    press_.pivot = Document.Pivot;
    press_.bounds = Document.SelectionBounds;
    press_.selection.clear();
    press_.selectedIndices.clear();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (!lines[i].selected) continue;
        press_.selectedIndices.push_back(i);
        press_.selection.push_back(lines[i]);
    }
}

// Whether the paths differ from the press: for a selection copy only the copied paths and the
// count are compared, since nothing else was given to the drag to change.
bool TCvWindow::pressCopyDiffers() const {
    if (press_.wholeCopy) return Document.Lines.vector() != press_.lines;
    if (Document.Lines.size() != press_.lineCount) return true;
    for (std::size_t k = 0; k < press_.selection.size(); ++k)
        if (Document.Lines[static_cast<std::size_t>(press_.selectedIndices[k])] !=
            press_.selection[k])
            return true;
    return false;
}

void TCvWindow::recordPressCopy(int penPath) {
    if (press_.wholeCopy)
        Document.UndoBuffer.Record(press_.lines, press_.pivot, penPath);
    else
        Document.RecordBefore(press_.selection, press_.selectedIndices, press_.lineCount,
                              press_.pivot, penPath, press_.mark);
}

bool TCvWindow::FinishEdit() {
    Document.UpdateSelectionBounds();
    bool recorded = false;
    if (press_.hasCopy && pressCopyDiffers()) {
        recordPressCopy(penPath_);
        recorded = true;
    }
    press_.hasCopy = false;
    invalidateAll();
    if (recorded) Changed();
    return recorded;
}

AnchorHit TCvWindow::HitAnchor(TCvCoord p) const {
    const int state = DragState();
    const bool guideMove = state == dsVerticalGuide || state == dsHorizontalGuide;
    // The handle being dragged would find itself.
    if (state == dsHandle) return {};
    AnchorSearch how;
    how.tolerance = PixelsToUnits(AnchorTolerance);
    how.includeSelected = state != dsMove;
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
    hover_.zone = 0;
    const bool toolCursor = CurrentTool().hover(*this, e);
    const AnchorHit hit = HitAnchor(PixelToUnit(e.pos.x, e.pos.y));
    if (DragState() == dsIdle) hover_.anchor = hit;
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
    if (!CurrentTool().grabsGuides() || DragState() != dsIdle) return false;
    if (hover_.zone != 0 && hover_.zone != 9) return false;
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

void TCvWindow::SetScreenCursor(CursorShape shape) {
    if (host_) host_->setCursor(shape);
}

void TCvWindow::LendTool(int tool) {
    if (tool < 0 || tool >= ToolCount) return;
    tool_ = tool;
    refreshCursor();
    invalidateAll();
}

void TCvWindow::SelectOnly(int path) {
    // Only the paths with something selected and the chosen one change.
    const PathIndex& index = PathsIndex();
    for (int i = 0; i < static_cast<int>(Document.Lines.size()); ++i)
        if (i == path || index.anySelected(static_cast<std::size_t>(i)))
            Document.Lines[i].SelectAll(i == path);
    Document.SelectionChanged();
    invalidateAll();
}

void TCvWindow::SetPathSelected(int path, bool selected) {
    if (path < 0 || path >= static_cast<int>(Document.Lines.size())) return;
    Document.Lines[path].SelectAll(selected);
    Document.SelectionChanged();
    invalidateAll();
}

void TCvWindow::SelectInRect(const PixelRect& r, bool toggle) {
    if (!toggle)
        for (TCvLine& line : Document.Lines) line.SelectAll(false);
    const PixelRect n = normalized(r);
    const TCvCoord a = PixelToUnit(n.left, n.top);
    const TCvCoord b = PixelToUnit(n.right, n.bottom);
    for (TCvLine& line : Document.Lines) {
        if (!line.visible || line.locked || !line.AnyPointIn(a, b)) continue;
        line.SelectAll(!line.selected);
    }
    Document.SelectionChanged();
    invalidateAll();
}
