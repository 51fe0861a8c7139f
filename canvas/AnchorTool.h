#pragma once
// The anchor point tool: selects and moves single anchors, drags their handles, pulls new
// handles out of an anchor, inserts anchors into segments and duplicates selected anchors.

#include "canvas/HitTest.h"
#include "canvas/ToolBehaviour.h"

namespace plumex {

class AnchorTool : public ToolBehaviour {
public:
    CursorShape cursor() const override { return CursorShape::Arrow; }
    EditMode mode() const override { return EditMode::Anchors; }
    bool keepsAnchorSelection() const override { return true; }
    void paintOverlay(const TCvWindow& window, Surface& s, const OverlayView& o) const override {
        paintSelectedAnchors(window, s, o);
    }
    bool editsHandles() const override { return true; }
    bool searchAnchors(const TCvWindow& window, AnchorSearch& how) const override;
    bool grabsGuides() const override { return true; }
    void press(TCvWindow& window, const MouseEvent& e) override;
    void dragStarted(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    bool rightRelease(TCvWindow& window, const MouseEvent& e) override;

private:
    void pressHandle(TCvWindow& window, const MouseEvent& e, const AnchorHit& hit);
    void pullOutHandles(TCvWindow& window, const AnchorHit& hit);
    void pressAnchor(TCvWindow& window, const MouseEvent& e, const AnchorHit& hit);
    void pressSegment(TCvWindow& window, const MouseEvent& e, const PathHit& hit);

    bool pressedOnSomething_ = false;
};

// Anchor selection by mouse: every other anchor of every path deselected, the anchor's path
// selected; and toggling one anchor.
void selectOnlyAnchor(TCvDocument& doc, int path, int point);
void toggleAnchor(TCvDocument& doc, int path, int point);

} // namespace plumex
