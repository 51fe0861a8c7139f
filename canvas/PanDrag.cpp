#include "canvas/PanDrag.h"

#include "canvas/Window.h"

namespace plumex {

void PanDrag::move(TCvWindow& window, const MouseEvent&) {
    const PressContext& p = window.Press();
    window.ScrollBy(p.currentPixel.x - p.previousPixel.x, p.currentPixel.y - p.previousPixel.y);
}

void PanDrag::release(TCvWindow& window, const MouseEvent&) {
    window.EndDrag();
}

} // namespace plumex
