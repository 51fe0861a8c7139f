#pragma once
// The zoom tool: a click doubles the scale about the clicked point, a right click halves it,
// a dragged frame is fitted to the view. The middle button lends it to every other tool.

#include "canvas/RubberBandDrag.h"
#include "canvas/ToolBehaviour.h"

namespace plumex {

class ZoomTool : public ToolBehaviour {
public:
    CursorShape cursor() const override { return CursorShape::MagTool; }
    // Lent by the middle button, it must not widen an anchor selection.
    bool keepsAnchorSelection() const override { return true; }
    void paintOverlay(const TCvWindow& window, Surface& s, const OverlayView& o) const override {
        paintSelectedAnchors(window, s, o);
    }
    void dragStarted(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    bool rightRelease(TCvWindow& window, const MouseEvent& e) override;
};

// The middle button's frame: it starts at the press and gives the borrowed tool back at the
// release.
class ZoomLendDrag : public RubberBandDrag {
public:
    ZoomLendDrag(TCvWindow& window, ToolKind previousTool);
    void cancel(TCvWindow& window) override;

private:
    ToolKind previous_;
};

} // namespace plumex
