#include "canvas/ObjectTool.h"

#include "canvas/HoverZone.h"
#include "canvas/MoveDrag.h"
#include "canvas/RubberBandDrag.h"
#include "canvas/TransformDrags.h"
#include "canvas/Window.h"

namespace plumex {

namespace {

constexpr int MarkerRadius = 8;
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

void ObjectTool::activate(TCvWindow& window) {
    window.Document.Pivot = centre(window.Document.SelectionBounds);
}

bool ObjectTool::hover(TCvWindow& window, const MouseEvent& e) {
    HoverState& h = window.HoverRef();
    h.zone = zoneNone;
    const int r = window.RulerSize();
    if (!helperShown(window) || (r > 0 && (e.pos.x < r || e.pos.y < r))) return false;
    const TCvRect& b = window.Document.SelectionBounds;
    h.zone = hoverZone(window.UnitRectToPixelRect(b), window.UnitToPixel(centre(b)), e.pos);
    const std::optional<CursorShape> shape = zoneCursor(h.zone);
    if (!shape) return false;
    window.SetScreenCursor(*shape);
    return true;
}

void ObjectTool::press(TCvWindow& window, const MouseEvent& e) {
    const int zone = window.Press().zone;
    if (pressPivot(window, e)) return;
    if (window.Hover().anchor) {
        pressAnchor(window, e);
        return;
    }
    if (zone == zoneRotate) {
        if (window.Press().doubleClick)
            window.RotateDialog();
        else
            window.BeginDrag(std::make_unique<RotateDrag>());
        return;
    }
    if (zone == zoneNone || zone == zoneInside) {
        if (!pressPath(window, e)) return;
    }
    if (zone == zoneNone || zone == zoneInside || zone == zoneCentre) {
        startMove(window, e);
        return;
    }
    pressHelper(window, zone);
}

bool ObjectTool::pressPivot(TCvWindow& window, const MouseEvent& e) {
    if (!helperShown(window)) return false;
    const int zone = window.Press().zone;
    const PixelPoint pivot = window.UnitToPixel(window.Document.Pivot);
    const long dx = e.pos.x - pivot.x;
    const long dy = e.pos.y - pivot.y;
    const bool onMarker = dx * dx + dy * dy <= MarkerRadius * MarkerRadius;
    if (!(zone == zoneCentre && ctrlHeld(e)) && !(zone != zoneCentre && onMarker)) return false;
    window.TakePressCopy();
    window.BeginDrag(std::make_unique<PivotDrag>());
    return true;
}

void ObjectTool::pressAnchor(TCvWindow& window, const MouseEvent& e) {
    const AnchorHit hit = window.Hover().anchor;
    // The grabbed anchor, not the pointer, is what snaps during the move.
    window.GrabPointer(window.UnitToPixel(hit.at));
    PressContext& p = window.PressState();
    p.pressPoint = p.point = p.lastPoint = hit.at;
    const TCvLine& line = window.Document.Lines[static_cast<std::size_t>(hit.path)];
    if (shiftHeld(e))
        window.SetPathSelected(hit.path, !line.selected);
    else if (!line.selected)
        window.SelectOnly(hit.path);
    const TCvLine& now = window.Document.Lines[static_cast<std::size_t>(hit.path)];
    if (!now.points[static_cast<std::size_t>(hit.point)].selected) return;
    p.grabbed = hit;
    window.BeginDrag(std::make_unique<MoveDrag>(moveStart(e), MoveWhat::Objects));
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
    if (window.Press().zone != zoneNone) return true;
    if (!shiftHeld(e)) {
        window.Document.DeselectAll();
        window.Invalidate();
    }
    window.BeginDrag(std::make_unique<RubberBandDrag>(
        window, [](TCvWindow& w, const PixelRect& band, const MouseEvent& up) {
            w.SelectInRect(band, shiftHeld(up));
        }));
    return false;
}

void ObjectTool::startMove(TCvWindow& window, const MouseEvent& e) {
    if (window.Press().doubleClick) {
        window.MoveDialog();
        return;
    }
    if (window.Document.CountSelected() == 0) return;
    window.BeginDrag(std::make_unique<MoveDrag>(moveStart(e), MoveWhat::Objects));
}

void ObjectTool::pressHelper(TCvWindow& window, int zone) {
    const bool twice = window.Press().doubleClick;
    if (zone >= zoneShearLeft && zone <= zoneShearBottom) {
        // The zone presets the dialog's direction.
        if (twice)
            window.ShearDialog(zone);
        else
            window.BeginDrag(std::make_unique<ShearDrag>(dsShearLeft + zone - zoneShearLeft));
        return;
    }
    if (zone >= zoneLeft && zone <= zoneBottomRight) {
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
