#include "canvas/ObjectTool.h"

#include "canvas/HoverZone.h"
#include "canvas/MoveDrag.h"
#include "canvas/RubberBandDrag.h"
#include "canvas/SelectionHelper.h"
#include "canvas/TransformDrags.h"
#include "canvas/Window.h"

namespace plumex {

namespace {

constexpr double PathTolerance = 4; // pixels

bool ctrlHeld(const MouseEvent& e) {
    return (e.shift & ssCtrl) != 0;
}

MoveStart moveStart(const MouseEvent& e) {
    return ctrlHeld(e) ? MoveStart::Duplicate : MoveStart::Move;
}

bool shiftHeld(const MouseEvent& e) {
    return (e.shift & ssShift) != 0;
}

// The helper (frame, zones and pivot marker) is there to be grabbed.
bool helperShown(const TCvWindow& window) {
    return window.Options().ShowHelper && window.Document.CountSelected() > 0;
}

} // namespace

void ObjectTool::paintOverlay(const TCvWindow& window, Surface& s, const OverlayView&) const {
    if (helperShown(window) && !window.GrabbedAnchor()) paintSelectionHelper(s, window);
}

void ObjectTool::activate(TCvWindow& window) {
    window.Document.Pivot = centre(window.Document.SelectionBounds);
}

bool ObjectTool::hover(TCvWindow& window, const MouseEvent& e) {
    window.SetHoverZone(HoverZone::None);
    const int r = window.RulerSize();
    if (!helperShown(window) || (r > 0 && (e.pos.x < r || e.pos.y < r))) return false;
    const TCvRect& b = window.Document.SelectionBounds;
    const HoverZone zone =
        hoverZone(window.UnitRectToPixelRect(b), window.UnitToPixel(centre(b)), e.pos);
    window.SetHoverZone(zone);
    const std::optional<CursorShape> shape = zoneCursor(zone);
    if (!shape) return false;
    window.SetScreenCursor(*shape);
    return true;
}

void ObjectTool::press(TCvWindow& window, const MouseEvent& e) {
    const HoverZone zone = window.Hover().zone;
    if (pressPivot(window, e)) return;
    if (window.Hover().anchor) {
        pressAnchor(window, e);
        return;
    }
    if (zone == HoverZone::Rotate) {
        if (window.Press().doubleClick)
            window.RotateDialog();
        else
            window.BeginDrag(std::make_unique<RotateDrag>());
        return;
    }
    if (zone == HoverZone::None || zone == HoverZone::Inside) {
        if (!pressPath(window, e)) return;
    }
    if (zone == HoverZone::None || zone == HoverZone::Inside || zone == HoverZone::Centre) {
        startMove(window, e);
        return;
    }
    pressHelper(window, zone);
}

bool ObjectTool::pressPivot(TCvWindow& window, const MouseEvent& e) {
    if (!helperShown(window)) return false;
    const HoverZone zone = window.Hover().zone;
    const PixelPoint pivot = window.UnitToPixel(window.Document.Pivot);
    const long dx = e.pos.x - pivot.x;
    const long dy = e.pos.y - pivot.y;
    const bool onMarker = dx * dx + dy * dy <= MarkerRadius * MarkerRadius;
    if (!(zone == HoverZone::Centre && ctrlHeld(e)) && !(zone != HoverZone::Centre && onMarker))
        return false;
    window.TakePressCopy();
    window.BeginDrag(std::make_unique<PivotDrag>());
    return true;
}

void ObjectTool::pressAnchor(TCvWindow& window, const MouseEvent& e) {
    const AnchorHit hit = window.Hover().anchor;
    window.GrabAnchor(hit.at);
    const TCvLine& line = window.Document.Lines[static_cast<std::size_t>(hit.path)];
    if (shiftHeld(e))
        window.SetPathSelected(hit.path, !line.selected);
    else if (!line.selected)
        window.SelectOnly(hit.path);
    const TCvLine& now = window.Document.Lines[static_cast<std::size_t>(hit.path)];
    if (!now.points[static_cast<std::size_t>(hit.point)].selected) return;
    window.BeginDrag(std::make_unique<MoveDrag>(moveStart(e), MoveWhat::Objects, hit.at,
                                                MoveGrip{.anchor = hit, .segment = false}));
}

bool ObjectTool::pressPath(TCvWindow& window, const MouseEvent& e) {
    const TCvCoord at = window.PixelToUnit(e.pos.x, e.pos.y);
    const PathHit hit = hitPath(window.Document.Lines, window.PathsIndex(), at,
                                window.PixelsToUnits(PathTolerance));
    if (hit) {
        const bool selected = window.Document.Lines[static_cast<std::size_t>(hit.path)].selected;
        if (shiftHeld(e)) {
            window.SetPathSelected(hit.path, !selected);
            return !selected; // a path just deselected starts no drag
        }
        if (!selected) window.SelectOnly(hit.path);
        return true;
    }
    if (window.Hover().zone != HoverZone::None) return true;
    if (!shiftHeld(e)) {
        window.Document.DeselectAll();
        window.Invalidate();
    }
    window.BeginDrag(std::make_unique<RubberBandDrag>(
        window, [](TCvWindow& w, const PixelRect& band, const MouseEvent& up) {
            w.SelectInRect(band, shiftHeld(up) ? SelectMode::Toggle : SelectMode::Replace);
        }));
    return false;
}

void ObjectTool::startMove(TCvWindow& window, const MouseEvent& e) {
    if (window.Press().doubleClick) {
        window.MoveDialog();
        return;
    }
    if (window.Document.CountSelected() == 0) return;
    window.BeginDrag(
        std::make_unique<MoveDrag>(moveStart(e), MoveWhat::Objects, window.Press().pressPoint));
}

void ObjectTool::pressHelper(TCvWindow& window, HoverZone zone) {
    const bool twice = window.Press().doubleClick;
    if (isShearZone(zone)) {
        // The zone presets the dialog's direction.
        if (twice)
            window.ShearDialog(zone);
        else
            window.BeginDrag(std::make_unique<ShearDrag>(shearDragOf(zone)));
        return;
    }
    if (isScaleZone(zone)) {
        if (twice)
            window.ExpandDialog();
        else
            window.BeginDrag(std::make_unique<ScaleDrag>(zone));
    }
}

bool ObjectTool::rightRelease(TCvWindow& window, const MouseEvent& e) {
    const AnchorHit hit = window.Hover().anchor;
    if (hit && !window.Document.Lines[static_cast<std::size_t>(hit.path)].selected) {
        if (shiftHeld(e))
            window.SetPathSelected(hit.path, true);
        else
            window.SelectOnly(hit.path);
    }
    return true;
}

} // namespace plumex
