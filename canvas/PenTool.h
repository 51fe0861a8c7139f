#pragma once
// The pen tool: each press adds an anchor to the pen path (or closes, continues or joins
// paths), a drag pulls out the anchor's handles, and between presses a floating last anchor
// previews the next segment.

#include "canvas/Drag.h"
#include "canvas/HandleShape.h"
#include "canvas/ToolBehaviour.h"

#include <optional>

namespace plumex {

class PenTool : public ToolBehaviour {
public:
    CursorShape cursor() const override { return CursorShape::PenTool; }
    CursorShape anchorCursor() const override { return CursorShape::SnapPen; }
    EditMode mode() const override { return EditMode::Anchors; }
    // Only the ends of open paths, where the pen continues, joins or closes.
    bool searchAnchors(const TCvWindow& window, AnchorSearch& how) const override;
    bool keepsPenPath() const override { return true; }
    // Ctrl changes the preview of the next segment.
    bool followsCtrl(const TCvWindow& window) const override;
    // The press may add a path, so the undo copy is of the drawing before it.
    bool copiesBeforePress() const override { return true; }
    void press(TCvWindow& window, const MouseEvent& e) override;
    bool hover(TCvWindow& window, const MouseEvent& e) override;
    // Ends a pen path instead of opening the context menu.
    bool rightRelease(TCvWindow& window, const MouseEvent& e) override;
};

// States 4 and 5 of the pen: shaping the placed anchor's out-handle, or the in-handle of the
// anchor at which the path closes or joins another; the drag starts only once the pointer
// is more than 4 pixels away from that anchor.
class PenDrag : public Drag {
public:
    PenDrag(int point, bool closeOrJoin, std::optional<double> direction, int pressPenPath)
        : point_(point), closeOrJoin_(closeOrJoin), direction_(direction),
          pressPenPath_(pressPenPath) {}

    DragKind state() const override { return closeOrJoin_ ? DragKind::PenClose : DragKind::Handle; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    // The press is finished as by a release, so that the pen path ends cleanly.
    void cancel(TCvWindow& window) override;
    std::optional<HandleLine> handleLine(const TCvWindow& window) const override;

private:
    void finish(TCvWindow& window, bool doubleClick, TCvCoord at);

    int point_;
    bool closeOrJoin_;
    std::optional<double> direction_;
    int pressPenPath_; // the pen path of the press-time copy, kept with the undo step
    bool shaping_ = false;
};

} // namespace plumex
