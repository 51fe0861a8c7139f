#include "canvas/AnchorTool.h"

#include "canvas/AnchorDrags.h"
#include "canvas/HandleDrag.h"
#include "canvas/MoveDrag.h"
#include "canvas/RubberBandDrag.h"
#include "canvas/Window.h"

#include <utility>

namespace plumex {

namespace {

constexpr double PathTolerance = 4; // pixels

bool ctrlHeld(const MouseEvent& e) {
    return (e.shift & ssCtrl) != 0;
}

bool shiftHeld(const MouseEvent& e) {
    return (e.shift & ssShift) != 0;
}

TCvPoint& anchorOf(TCvDocument& doc, int path, int point) {
    return doc.Lines[static_cast<std::size_t>(path)].points[static_cast<std::size_t>(point)];
}

// Changes the selection by `change`, repainting only the paths it wrote (the handles shown and
// the colours follow the selection) and the selection helper.
template <class Change> void changeSelection(TCvWindow& window, Change change) {
    const PixelRect before = window.SelectedPathsExtent();
    const LineList::Mark mark = window.Document.Lines.mark();
    change(window.Document);
    window.Document.SelectionChanged();
    window.InvalidateEdited(mark, before);
}

} // namespace

bool AnchorTool::searchAnchors(const TCvWindow&, AnchorSearch& how) const {
    how.handlesOfSelected = true;
    return true;
}

void selectOnlyAnchor(TCvDocument& doc, int path, int point) {
    doc.DeselectPaths();
    anchorOf(doc, path, point).selected = 1;
    doc.Lines[static_cast<std::size_t>(path)].selected = 1;
}

void toggleAnchor(TCvDocument& doc, int path, int point) {
    TCvPoint& p = anchorOf(doc, path, point);
    p.selected = p.selected ? 0 : 1;
    doc.Lines[static_cast<std::size_t>(path)].UpdateSelected();
}

void AnchorTool::press(TCvWindow& window, const MouseEvent& e) {
    const AnchorHit hit = window.Hover().anchor;
    pressedOnSomething_ = true;
    if (hit && hit.handle) return pressHandle(window, e, hit);
    if (hit && ctrlHeld(e)) return pullOutHandles(window, hit);
    if (hit) return pressAnchor(window, e, hit);
    const TCvCoord at = window.PixelToUnit(e.pos.x, e.pos.y);
    const PathHit path = hitPath(window.Document.Lines, window.PathsIndex(), at,
                                 window.PixelsToUnits(PathTolerance));
    if (path) return pressSegment(window, e, path);
    // Nothing hit: the release deselects, a drag draws the rubber band.
    pressedOnSomething_ = false;
}

void AnchorTool::pressHandle(TCvWindow& window, const MouseEvent& e, const AnchorHit& hit) {
    window.TakePressCopy();
    TCvPoint& p = anchorOf(window.Document, hit.path, hit.point);
    const HandleSide side = equal(hit.at, p.outHandle) ? HandleSide::Out : HandleSide::In;
    const auto direction = handleDirection(p.anchor, hit.at);
    // Ctrl breaks the pair: the handles stop mirroring each other.
    if (ctrlHeld(e)) p.independent = 1;
    window.BeginDrag(std::make_unique<HandleDrag>(hit.path, hit.point, side, direction));
}

void AnchorTool::pullOutHandles(TCvWindow& window, const AnchorHit& hit) {
    changeSelection(window, [&](TCvDocument& doc) { selectOnlyAnchor(doc, hit.path, hit.point); });
    // The copy is taken before the handles retract, so a click alone is undoable too.
    window.TakePressCopy();
    TCvPoint& p = anchorOf(window.Document, hit.path, hit.point);
    const auto direction = handleDirection(p.anchor, p.outHandle);
    retractBothHandles(p);
    window.BeginDrag(std::make_unique<HandleDrag>(hit.path, hit.point, HandleSide::Out, direction));
}

void AnchorTool::pressAnchor(TCvWindow& window, const MouseEvent& e, const AnchorHit& hit) {
    if (window.Press().doubleClick && !shiftHeld(e)) {
        window.MoveDialog(hit.at);
        return;
    }
    TCvDocument& doc = window.Document;
    changeSelection(window, [&](TCvDocument& d) {
        if (shiftHeld(e))
            toggleAnchor(d, hit.path, hit.point);
        else if (!anchorOf(d, hit.path, hit.point).selected)
            selectOnlyAnchor(d, hit.path, hit.point);
    });
    if (!anchorOf(doc, hit.path, hit.point).selected) return;
    window.GrabAnchor(hit.at);
    window.BeginDrag(std::make_unique<MoveDrag>(MoveStart::Move, MoveWhat::Anchors, hit.at,
                                                MoveGrip{.anchor = hit, .segment = false}));
}

void AnchorTool::pressSegment(TCvWindow& window, const MouseEvent& e, const PathHit& hit) {
    if (window.Press().doubleClick && !shiftHeld(e)) {
        window.MoveDialog();
        return;
    }
    changeSelection(window, [&](TCvDocument& doc) {
        const TCvLine& line = std::as_const(doc.Lines)[static_cast<std::size_t>(hit.path)];
        const bool both = line.points[static_cast<std::size_t>(hit.first)].selected &&
                          line.points[static_cast<std::size_t>(hit.second)].selected;
        if (!shiftHeld(e) && !both) doc.DeselectPaths();
        const std::uint8_t v = shiftHeld(e) && both ? 0 : 1;
        anchorOf(doc, hit.path, hit.first).selected = v;
        anchorOf(doc, hit.path, hit.second).selected = v;
        doc.Lines[static_cast<std::size_t>(hit.path)].UpdateSelected();
    });
    if (ctrlHeld(e))
        window.BeginDrag(std::make_unique<AnchorCopyDrag>(hit));
    else
        window.BeginDrag(std::make_unique<MoveDrag>(MoveStart::Move, MoveWhat::Anchors,
                                                    window.Press().pressPoint,
                                                    MoveGrip{.anchor = {}, .segment = true}));
}

void AnchorTool::dragStarted(TCvWindow& window, const MouseEvent& e) {
    if (pressedOnSomething_) return;
    if (!shiftHeld(e)) changeSelection(window, [](TCvDocument& doc) { doc.DeselectPaths(); });
    window.BeginDrag(std::make_unique<RubberBandDrag>(
        window, [](TCvWindow& w, const PixelRect& band, const MouseEvent& up) {
            selectAnchorsInBand(w, band, shiftHeld(up) ? SelectMode::Toggle : SelectMode::Replace);
        }));
}

void AnchorTool::release(TCvWindow& window, const MouseEvent&) {
    if (pressedOnSomething_) return;
    // A click on empty space.
    changeSelection(window, [](TCvDocument& doc) { doc.DeselectPaths(); });
}

bool AnchorTool::rightRelease(TCvWindow& window, const MouseEvent& e) {
    const AnchorHit hit = window.Hover().anchor;
    if (hit && !anchorOf(window.Document, hit.path, hit.point).selected) {
        changeSelection(window, [&](TCvDocument& doc) {
            if (shiftHeld(e))
                toggleAnchor(doc, hit.path, hit.point);
            else
                selectOnlyAnchor(doc, hit.path, hit.point);
        });
    }
    return true;
}

} // namespace plumex
