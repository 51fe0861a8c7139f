#include "canvas/AnchorDrags.h"

#include "canvas/Window.h"
#include "commands/PathClipboard.h"

#include <algorithm>

namespace plumex {

void duplicateSelectedAnchors(TCvDocument& doc) {
    std::vector<TCvLine> pieces = CopiedPaths(doc, CopyScope::AnchorRuns);
    doc.DeselectPaths();
    doc.Lines.insert(doc.Lines.end(), pieces.begin(), pieces.end());
    doc.UpdateSelectionBounds();
}

void AnchorCopyDrag::move(TCvWindow& window, const MouseEvent& e) {
    if (!move_) {
        duplicateSelectedAnchors(window.Document);
        move_.emplace(MoveStart::Move, MoveWhat::Anchors, window.Press().pressPoint,
                      MoveGrip{.anchor = {}, .segment = true});
    }
    move_->move(window, e);
}

bool AnchorCopyDrag::press(TCvWindow& window, const MouseEvent& e) {
    return move_ && move_->press(window, e);
}

void AnchorCopyDrag::release(TCvWindow& window, const MouseEvent& e) {
    if (move_)
        move_->release(window, e);
    else
        insertAnchor(window);
}

void AnchorCopyDrag::cancel(TCvWindow& window) {
    if (move_) move_->cancel(window);
}

void AnchorCopyDrag::insertAnchor(TCvWindow& window) {
    TCvDocument& doc = window.Document;
    if (segment_.path < 0 || segment_.path >= static_cast<int>(doc.Lines.size())) return;
    doc.Record();
    window.DropPressCopy(); // this is the one undo step
    doc.DeselectPaths();
    doc.Lines[static_cast<std::size_t>(segment_.path)].InsertPoint(segment_.first, segment_.second,
                                                                   segment_.t);
    doc.SelectionChanged();
    window.Invalidate();
    window.Changed();
}

void selectAnchorsInBand(TCvWindow& window, const PixelRect& band, SelectMode mode) {
    TCvDocument& doc = window.Document;
    if (mode == SelectMode::Replace) doc.DeselectPaths();
    const PixelRect n = normalized(band);
    const TCvCoord a = window.PixelToUnit(n.left, n.top);
    const TCvCoord b = window.PixelToUnit(n.right, n.bottom);
    const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const double bottom = std::min(a.y, b.y), top = std::max(a.y, b.y);
    auto inside = [&](const TCvPoint& p) {
        const TCvCoord q = p.anchor;
        return !(q.x < left || q.x > right || q.y < bottom || q.y > top);
    };
    // Only the paths with an anchor in the band are written, so only they count as changed.
    for (std::size_t i = 0; i < doc.Lines.size(); ++i) {
        const TCvLine& seen = std::as_const(doc.Lines)[i];
        if (!seen.visible || seen.locked ||
            std::none_of(seen.points.begin(), seen.points.end(), inside))
            continue;
        TCvLine& line = doc.Lines[i];
        for (TCvPoint& p : line.points)
            if (inside(p)) p.selected = p.selected ? 0 : 1;
        line.UpdateSelected();
    }
    doc.SelectionChanged();
    window.Invalidate();
}

} // namespace plumex
