// The shared press, move and release handling. Each drag is its own unit (see Drag.h); the
// tools hand theirs to BeginDrag.
#include "canvas/Window.h"

#include "canvas/PanDrag.h"

#include <cstdlib>

using namespace plumex;

void TCvWindow::MouseDown(const MouseEvent& e) {
    press_.previousPixel = press_.currentPixel;
    press_.currentPixel = e.pos;
    if (drag_) {
        // Another button during a drag (for example a right click that places what moves).
        if (drag_->press(*this, e)) EndDrag();
        press_.pressPixel = e.pos;
        Changed();
        return;
    }
    press_.pressPixel = e.pos;
    press_.pressShift = e.shift;
    press_.doubleClick = (e.shift & ssDouble) != 0;
    press_.right = e.button == MouseButton::Right;
    press_.dragStarted = false;
    Changed();
}

void TCvWindow::MouseMove(const MouseEvent& e) {
    press_.previousPixel = press_.currentPixel;
    press_.currentPixel = e.pos;
    const bool buttonDown = (e.shift & (ssLeft | ssRight | ssMiddle)) != 0;
    if (buttonDown && !press_.dragStarted) {
        const int width = host_ ? host_->doubleClickWidth() : 4;
        if (std::abs(e.pos.x - press_.pressPixel.x) > width ||
            std::abs(e.pos.y - press_.pressPixel.y) > width) {
            press_.dragStarted = true;
            if (!drag_ && press_.right && (e.shift & ssRight)) {
                BeginDrag(std::make_unique<PanDrag>());
                if (host_) {
                    host_->setCursor(CursorShape::Hand);
                    host_->captureMouse(true);
                }
            }
        }
    }
    if (drag_) drag_->move(*this, e);

    eraseIndicators();
    cursorPos_ = PixelToUnit(e.pos.x, e.pos.y);
    UpdateCursorIndicators(e.pos);
    if (OnMouseMoveEvent) OnMouseMoveEvent(*this, e);
}

void TCvWindow::MouseUp(const MouseEvent& e) {
    press_.currentPixel = e.pos;
    if (drag_) {
        drag_->release(*this, e);
        if (drag_) EndDrag();
    }
    press_.dragStarted = false;
}
