#pragma once
// The object tool: selects whole paths by click and rubber band, and moves, duplicates,
// scales, rotates and shears them through the selection helper's zones.

#include "canvas/HoverZone.h"
#include "canvas/ToolBehaviour.h"

namespace plumex {

class ObjectTool : public ToolBehaviour {
public:
    CursorShape cursor() const override { return CursorShape::SelLine; }
    EditMode mode() const override { return EditMode::Objects; }
    // The pivot starts at the selection's centre.
    void activate(TCvWindow& window) override;
    bool searchAnchors(const TCvWindow&, AnchorSearch&) const override { return true; }
    bool grabsGuides() const override { return true; }
    void press(TCvWindow& window, const MouseEvent& e) override;
    bool hover(TCvWindow& window, const MouseEvent& e) override;
    bool rightRelease(TCvWindow& window, const MouseEvent& e) override;
    // The selection helper; a move that holds an anchor shows where that anchor goes instead.
    void paintOverlay(const TCvWindow& window, Surface& s, const OverlayView&) const override;

private:
    bool pressPivot(TCvWindow& window, const MouseEvent& e);
    void pressAnchor(TCvWindow& window, const MouseEvent& e);
    // A press on zone 0 or 9: selects the path under the mouse; false when the press is done.
    bool pressPath(TCvWindow& window, const MouseEvent& e);
    void pressHelper(TCvWindow& window, HoverZone zone);
    void startMove(TCvWindow& window, const MouseEvent& e);
};

} // namespace plumex
