// The shared press, move and release handling: buttons, the drag threshold, snapping, the axis
// lock, guides and rulers, panning and the middle button's zoom. What a tool does with a press
// is its ToolBehaviour's; each drag is its own unit (see Drag.h).
#include "canvas/Window.h"

#include "canvas/GuideDrag.h"
#include "canvas/PanDrag.h"
#include "canvas/ToolBehaviour.h"
#include "canvas/ZoomTool.h"

#include <cstdlib>

using namespace plumex;

namespace {

bool onRuler(PixelPoint p, int rulerSize) {
    return rulerSize > 0 && (p.x < RulerWidth || p.y < RulerWidth);
}

} // namespace

void TCvWindow::MouseDown(const MouseEvent& e) {
    lastMouse_ = e;
    press_.previousPixel = press_.currentPixel;
    press_.currentPixel = e.pos;
    press_.shift = e.shift;
    if (drag_) {
        // Another button during a drag: a right click places what moves on the anchor under
        // the mouse.
        press_.nearest = HitAnchor(PixelToUnit(e.pos.x, e.pos.y));
        if (drag_->press(*this, e)) {
            EndDrag();
            press_.button = MouseButton::None; // its release has nothing left to do
        }
        press_.pressPixel = e.pos;
        Changed();
        return;
    }
    UpdateHover(e);
    press_.pressPixel = e.pos;
    press_.pressShift = e.shift;
    press_.button = e.button;
    press_.doubleClick = (e.shift & ssDouble) != 0;
    press_.right = e.button == MouseButton::Right;
    press_.dragStarted = false;
    press_.lockX = press_.lockY = false;
    press_.snapGrid = options_->SnapGrid != ((e.shift & ssAlt) != 0);
    press_.pressPoint = SnapPoint(PixelToUnit(e.pos.x, e.pos.y), SnapAxes::both(press_.snapGrid));
    press_.point = press_.pressPoint;
    press_.nearest = {};
    base_.taken = false;
    if (e.button == MouseButton::Middle)
        pressMiddle(e);
    else if (e.button == MouseButton::Left)
        pressLeft(e);
    if (hover_.zone == HoverZone::None && !hover_.anchor) refreshCursor();
    Changed();
}

void TCvWindow::pressMiddle(const MouseEvent& e) {
    const ToolKind previous = tool_;
    if (tool_ != ToolKind::Zoom) LendTool(ToolKind::Zoom);
    BeginDrag(std::make_unique<ZoomLendDrag>(*this, previous));
    (void)e;
}

void TCvWindow::pressLeft(const MouseEvent& e) {
    if (pressGuideOrRuler(e)) return;
    ToolBehaviour& tool = CurrentTool();
    if (tool.copiesBeforePress()) TakePressCopy(PressCopy::Whole);
    tool.press(*this, e);
    // Presses that end in a rubber band, a dialog or a mere deselection keep no copy. A copy
    // drag deselects every path and appends the copies.
    if (drag_ && !base_.taken && drag_->state() != DragKind::RubberBand)
        TakePressCopy(drag_->state() == DragKind::CopyPress ? PressCopy::Whole
                                                            : PressCopy::Selection);
}

bool TCvWindow::pressGuideOrRuler(const MouseEvent& e) {
    if (hover_.guide) {
        BeginDrag(std::make_unique<GuideDrag>(*this, *hover_.guide));
        return true;
    }
    if (!onRuler(e.pos, RulerSize())) return false;
    const bool left = e.pos.x < RulerWidth;
    const bool top = e.pos.y < RulerWidth;
    const TCvCoord at = PixelToUnit(e.pos.x, e.pos.y);
    if (press_.doubleClick) {
        EraseGuides(GuideAxes{.vertical = left, .horizontal = top});
    } else if (left != top) {
        // The corner makes its pair of guides only once the drag starts.
        const GuideAxis axis = left ? GuideAxis::Vertical : GuideAxis::Horizontal;
        const int index = AddGuide(axis, left ? at.x : at.y);
        BeginDrag(std::make_unique<GuideDrag>(*this, MovingGuide{axis, index}));
    }
    return true;
}

void TCvWindow::MouseMove(const MouseEvent& e) {
    lastMouse_ = e;
    press_.previousPixel = press_.currentPixel;
    press_.currentPixel = e.pos;
    press_.shift = e.shift;
    if (DragState() == DragKind::ContextMenu) {
        UpdateHover(e);
        return;
    }
    const bool buttonDown = (e.shift & (ssLeft | ssRight | ssMiddle)) != 0;
    if (buttonDown && !press_.dragStarted) {
        const int width = host_ ? host_->doubleClickWidth() : 4;
        if (std::abs(e.pos.x - press_.pressPixel.x) > width ||
            std::abs(e.pos.y - press_.pressPixel.y) > width) {
            press_.dragStarted = true;
            if (!drag_) startDrag(e);
        }
    }
    updateDragPoint(e);
    // The anchor under the mouse matters to a drag only when another button is pressed, and
    // MouseDown finds it then: searching every anchor on each move would cost the most.
    if (drag_ && press_.dragStarted) drag_->move(*this, e);
    eraseIndicators();
    // A drag that snaps shows the snapped point; panning has just moved the view.
    const bool snaps = drag_ && DragState() != DragKind::Pan;
    cursorPos_ = snaps ? press_.point : PixelToUnit(e.pos.x, e.pos.y);
    UpdateCursorIndicators(e.pos);
    if (!drag_) UpdateHover(e);
    if (OnMouseMoveEvent) OnMouseMoveEvent(*this, e);
}

void TCvWindow::startDrag(const MouseEvent& e) {
    if (press_.right && (e.shift & ssRight)) {
        BeginDrag(std::make_unique<PanDrag>());
        if (host_) {
            host_->setCursor(CursorShape::Hand);
            host_->captureMouse(true);
        }
        return;
    }
    if (!(e.shift & ssLeft) || press_.button != MouseButton::Left) return;
    const PixelPoint p = press_.pressPixel;
    if (RulerSize() > 0 && p.x < RulerWidth && p.y < RulerWidth) {
        const TCvCoord at = PixelToUnit(e.pos.x, e.pos.y);
        const int v = AddGuide(GuideAxis::Vertical, at.x);
        const int h = AddGuide(GuideAxis::Horizontal, at.y);
        BeginDrag(std::make_unique<GuideDrag>(*this, v, h));
        return;
    }
    CurrentTool().dragStarted(*this, e);
}

void TCvWindow::updateDragPoint(const MouseEvent& e) {
    press_.lockX = press_.lockY = false;
    if ((e.shift & ssShift) && (e.shift & ssLeft)) {
        const int dx = std::abs(e.pos.x - press_.pressPixel.x);
        const int dy = std::abs(e.pos.y - press_.pressPixel.y);
        (dx < dy ? press_.lockX : press_.lockY) = true;
    }
    press_.point = DragPoint(e.pos);
}

TCvCoord TCvWindow::DragPoint(PixelPoint p) const {
    const TCvCoord raw = PixelToUnit(p.x, p.y);
    const TCvCoord snapped = SnapPoint(raw, SnapAxes{.x = press_.snapGrid && !press_.lockX,
                                                     .y = press_.snapGrid && !press_.lockY});
    // A locked axis does not snap at all: the drag puts it back to the press.
    return {press_.lockX ? raw.x : snapped.x, press_.lockY ? raw.y : snapped.y};
}

void TCvWindow::MouseUp(const MouseEvent& e) {
    lastMouse_ = e;
    press_.currentPixel = e.pos;
    press_.shift = e.shift;
    const bool ends = e.button == press_.button;
    if (drag_ && ends) {
        drag_->release(*this, e);
        if (drag_) EndDrag();
    } else if (!drag_ && ends && e.button == MouseButton::Right) {
        releaseRight(e);
    } else if (!drag_ && ends && e.button == MouseButton::Left) {
        CurrentTool().release(*this, e);
    }
    if (ends) {
        press_.dragStarted = false;
        press_.button = MouseButton::None;
        base_ = {};
        refreshCursor();
    }
}

void TCvWindow::releaseRight(const MouseEvent& e) {
    if (!press_.right) return;
    if (!CurrentTool().rightRelease(*this, e)) return;
    OpenContextMenu(e.pos);
}

void TCvWindow::modifierChanged(const KeyEvent& e) {
    // The pen's feedback follows Ctrl without waiting for the mouse to move.
    if (e.key != key::Control || !CurrentTool().followsCtrl(*this)) return;
    MouseEvent m = lastMouse_;
    m.button = MouseButton::None;
    m.shift = (m.shift & ~ssCtrl) | (e.shift & ssCtrl);
    MouseMove(m);
}
