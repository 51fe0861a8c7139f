#pragma once
// States 2 and 3: moving the selection (whole paths in object mode, else the selected anchors).
// Ctrl at the press (state 2) duplicates the selection once the drag starts and moves the
// copies. When the press grabbed an anchor, that anchor snaps; otherwise the selection's
// frame does.

#include "canvas/Drag.h"
#include "canvas/HitTest.h"
#include "model/Coord.h"

namespace plumex {

// Whether the drag first duplicates what it moves (Ctrl at the press).
enum class MoveStart { Move, Duplicate };
// Whole selected paths (object tool) or the selected anchors (anchor point tool).
enum class MoveWhat { Objects, Anchors };

// What the press took hold of: an anchor, which then snaps; a segment, whose anchors move
// along; or neither, when the selection's frame snaps.
struct MoveGrip {
    AnchorHit anchor;
    bool segment = false;
};

class MoveDrag : public Drag {
public:
    // `from` is the press point in drawing units (the grabbed anchor when there is one).
    MoveDrag(MoveStart start, MoveWhat what, TCvCoord from, MoveGrip grip = {})
        : state_(start == MoveStart::Duplicate ? DragKind::CopyPress : DragKind::Move), what_(what),
          grip_(grip), lastPoint_(from) {}

    DragKind state() const override { return state_; }
    AnchorHit grabbed() const override { return grip_.anchor; }
    bool searchesAnchors() const override { return !grip_.segment; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    // A right click lands the grabbed anchor exactly on the anchor under the mouse.
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    void duplicate(TCvWindow& window);
    void moveBy(TCvWindow& window, TCvCoord v);

    DragKind state_;
    MoveWhat what_;
    MoveGrip grip_;
    TCvCoord lastPoint_; // where the last offset was applied
};

// State 6: the pivot follows the mouse; a right click puts it on the anchor under the mouse.
class PivotDrag : public Drag {
public:
    DragKind state() const override { return DragKind::Pivot; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
};

} // namespace plumex
