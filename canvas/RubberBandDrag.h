#pragma once
// State 1: an inverted frame (or ellipse) from the press pixel to the mouse. What the band is
// for is decided at the release by the `finish` callback.

#include "canvas/Drag.h"
#include "canvas/Pixel.h"
#include "canvas/Surface.h"

#include <functional>

namespace plumex {

class RubberBandDrag : public Drag {
public:
    using Finish = std::function<void(TCvWindow&, const PixelRect& band, const MouseEvent&)>;
    // Draws the band from the press pixel to the current pixel at once.
    RubberBandDrag(TCvWindow& window, Finish finish, BandShape shape = BandShape::Rectangle);

    DragKind state() const override { return DragKind::RubberBand; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;
    const PixelRect& band() const { return band_; }

protected:
    // The band's moving corner for a mouse position; tools that square or snap the band
    // override it.
    virtual PixelPoint corner(TCvWindow& window, const MouseEvent& e);

private:
    void erase(TCvWindow& window);

    Finish finish_;
    BandShape shape_;
    bool drawn_ = false;
    PixelRect band_;
};

} // namespace plumex
