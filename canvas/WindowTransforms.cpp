// The Object menu's transforms on the canvas: the presets act at once, the others ask their
// dialog through the host first. Each repaints and notifies only when the drawing changed.

#include "canvas/ToolBehaviour.h"
#include "canvas/Window.h"

#include "canvas/AnchorDrags.h"
#include "commands/FiniteGuard.h"

#include "commands/AlignCommands.h"
#include "commands/MoveDialogState.h"
#include "commands/MoveSelection.h"
#include "commands/ObjectCommands.h"
#include "commands/TransformCommands.h"

using namespace plumex;

namespace {

// The one selected anchor within the selected paths, when there is exactly one.
std::optional<TCvCoord> singleSelectedAnchor(const TCvDocument& doc, int& count) {
    count = 0;
    std::optional<TCvCoord> found;
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        for (const TCvPoint& p : line.points) {
            if (!p.selected) continue;
            ++count;
            found = p.anchor;
        }
    }
    if (count != 1) found.reset();
    return found;
}

// Where the path at `index` lands when the selected paths are replaced by their transformed
// copies at the end of the list (with `copy` the sources stay where they are).
int indexAfterTransform(const TCvDocument& doc, int index, bool copy) {
    if (index < 0 || index >= static_cast<int>(doc.Lines.size()) || copy) return index;
    int unselected = 0, selectedBefore = 0;
    for (int i = 0; i < static_cast<int>(doc.Lines.size()); ++i) {
        const bool selected = doc.Lines[i].selected;
        unselected += !selected;
        if (i < index) selectedBefore += selected;
    }
    return doc.Lines[index].selected ? unselected + selectedBefore : index - selectedBefore;
}

// Repaints and notifies after a change; answers whether there was one.
bool done(TCvWindow& w, bool changed) {
    if (!changed) return false;
    w.Invalidate();
    w.Changed();
    return true;
}

} // namespace

bool TCvWindow::PresetMove(int n) {
    if (n < 0 || n > 1) return false;
    return done(*this, MoveToOrigin(Document, n == 1, ObjectMode(), penPath_));
}

bool TCvWindow::PresetExpand(int n) {
    static constexpr ExpandPreset presets[] = {ExpandPreset::DoubleSize, ExpandPreset::HalfSize,
                                               ExpandPreset::HeightToOne, ExpandPreset::WidthToOne};
    if (n < 0 || n > 3) return false;
    const int pen = indexAfterTransform(Document, penPath_, false);
    if (!ExpandByPreset(Document, presets[n], penPath_)) return false;
    penPath_ = pen;
    return done(*this, true);
}

bool TCvWindow::PresetRotate(int n) {
    if (n < 0 || n > 1) return false;
    return done(*this, RotateByPreset(Document, n == 0, ObjectMode(), penPath_));
}

bool TCvWindow::FlipSelection(FlipAxis axis) {
    const int pen = indexAfterTransform(Document, penPath_, false);
    if (!Flip(Document, axis, penPath_)) return false;
    penPath_ = pen;
    return done(*this, true);
}

bool TCvWindow::MoveDialog(std::optional<TCvCoord> anchor) {
    if (!host_ || Document.CountSelected() == 0) return false;
    int count = 0;
    const std::optional<TCvCoord> single = singleSelectedAnchor(Document, count);
    if (count == 0) return false;
    MoveRequest request;
    request.anchorMode = AnchorMode();
    request.layout = moveLayout(anchor.has_value(), count, AnchorMode());
    // A lone anchor is its own reference: the selection's bounds would be its whole path's.
    if (anchor)
        request.reference = TCvRect(*anchor);
    else if (single)
        request.reference = TCvRect(*single);
    else
        request.reference = Document.SelectionBounds;
    request.canCopy = true;
    const std::optional<MoveAnswer> answer = host_->runMoveDialog(request);
    if (!answer || (answer->offset.x == 0 && answer->offset.y == 0)) return false;
    if (!offsetStaysFinite(Document, answer->offset, AnchorMode())) return false;
    if (answer->copy && AnchorMode()) {
        // The copy is what Copy would take: the selected runs of anchors, moved as pieces.
        Document.Record(penPath_);
        duplicateSelectedAnchors(Document);
        MoveAnchors(Document, answer->offset);
        return done(*this, true);
    }
    if (answer->copy) {
        plumex::Dupe(Document, penPath_);
        MoveObjects(Document, answer->offset);
        return done(*this, true);
    }
    Document.Record(penPath_);
    if (AnchorMode())
        MoveAnchors(Document, answer->offset);
    else
        MoveObjects(Document, answer->offset);
    return done(*this, true);
}

bool TCvWindow::ExpandDialog() {
    if (!host_ || Document.CountSelected() == 0) return false;
    const auto answer =
        host_->runExpandDialog({ObjectMode(), Document.SelectionBounds, Document.Pivot});
    if (!answer) return false;
    const int pen = indexAfterTransform(Document, penPath_, answer->copy);
    if (!ExpandSelection(Document, answer->fx, answer->fy, answer->origin, answer->copy, penPath_))
        return false;
    penPath_ = pen;
    return done(*this, true);
}

bool TCvWindow::RotateDialog() {
    if (!host_ || Document.CountSelected() == 0) return false;
    const auto answer =
        host_->runRotateDialog({ObjectMode(), Document.SelectionBounds, Document.Pivot});
    if (!answer) return false;
    return done(*this, RotateSelectionBy(Document, answer->degrees, answer->origin, answer->copy,
                                         penPath_));
}

bool TCvWindow::ShearDialog(HoverZone zone) {
    if (!host_ || Document.CountSelected() == 0) return false;
    ShearRequest request;
    request.origin = {ObjectMode(), Document.SelectionBounds, Document.Pivot};
    if (zone == HoverZone::ShearLeft || zone == HoverZone::ShearRight)
        request.direction = ShearPreset::Vertical;
    else if (zone == HoverZone::ShearTop || zone == HoverZone::ShearBottom)
        request.direction = ShearPreset::Horizontal;
    const auto answer = host_->runShearDialog(request);
    if (!answer) return false;
    const int pen = indexAfterTransform(Document, penPath_, answer->copy);
    if (!ShearSelection(Document, answer->degrees, answer->vertical, answer->origin, answer->copy,
                        penPath_))
        return false;
    penPath_ = pen;
    return done(*this, true);
}

bool TCvWindow::AlignDialog() {
    const bool anchors = CurrentTool().editsHandles();
    if (!host_ || !(anchors ? canAlignAnchors(Document) : canAlignObjects(Document))) return false;
    const auto answer = host_->runAlignDialog({!ObjectMode()});
    if (!answer) return false;
    const bool changed =
        anchors ? AlignAnchors(Document, answer->horizontal, answer->vertical, penPath_)
                : AlignObjects(Document, answer->horizontal, answer->vertical, penPath_);
    return done(*this, changed);
}
