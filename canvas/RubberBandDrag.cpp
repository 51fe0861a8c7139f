#include "canvas/RubberBandDrag.h"

#include "canvas/Window.h"

namespace plumex {

RubberBandDrag::RubberBandDrag(TCvWindow& window, Finish finish, BandShape shape)
    : finish_(std::move(finish)), shape_(shape) {
    const PressContext& p = window.Press();
    band_ = {p.pressPixel.x, p.pressPixel.y, p.currentPixel.x, p.currentPixel.y};
    window.DrawRubberBand(band_, shape_);
    drawn_ = true;
}

PixelPoint RubberBandDrag::corner(TCvWindow& window, const MouseEvent&) {
    return window.Press().currentPixel;
}

void RubberBandDrag::erase(TCvWindow& window) {
    // The band is inverted: drawing it again takes it away.
    if (drawn_) window.DrawRubberBand(band_, shape_);
    drawn_ = false;
}

void RubberBandDrag::move(TCvWindow& window, const MouseEvent& e) {
    erase(window);
    const PixelPoint c = corner(window, e);
    band_.right = c.x;
    band_.bottom = c.y;
    window.DrawRubberBand(band_, shape_);
    drawn_ = true;
}

void RubberBandDrag::release(TCvWindow& window, const MouseEvent& e) {
    erase(window);
    const PixelRect band = band_;
    Finish finish = std::move(finish_);
    window.EndDrag();
    if (finish) finish(window, band, e);
}

void RubberBandDrag::cancel(TCvWindow& window) {
    erase(window);
}

} // namespace plumex
