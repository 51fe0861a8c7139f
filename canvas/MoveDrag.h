#pragma once
// States 2 and 3: moving the selection (whole paths in object mode, else the selected anchors).
// Ctrl at the press (state 2) duplicates the selection once the drag starts and moves the
// copies. When the press grabbed an anchor, that anchor snaps; otherwise the selection's
// frame does.

#include "canvas/Drag.h"
#include "model/Coord.h"

namespace plumex {

// Whether the drag first duplicates what it moves (Ctrl at the press).
enum class MoveStart { Move, Duplicate };
// Whole selected paths (object tool) or the selected anchors (anchor point tool).
enum class MoveWhat { Objects, Anchors };

class MoveDrag : public Drag {
public:
    MoveDrag(MoveStart start, MoveWhat what)
        : state_(start == MoveStart::Duplicate ? dsCopyPress : dsMove),
          objectMode_(what == MoveWhat::Objects) {}

    int state() const override { return state_; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    // A right click lands the grabbed anchor exactly on the anchor under the mouse.
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    void duplicate(TCvWindow& window);
    void moveBy(TCvWindow& window, TCvCoord v);

    int state_;
    bool objectMode_;
};

// State 6: the pivot follows the mouse; a right click puts it on the anchor under the mouse.
class PivotDrag : public Drag {
public:
    int state() const override { return dsPivot; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
};

} // namespace plumex
