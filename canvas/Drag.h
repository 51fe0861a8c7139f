#pragma once
// One mouse drag from press to release. The window keeps at most one; its state number is the
// window's drag state (0 when there is none). Each kind of drag (panning, moving a guide, and
// the tools' drags) is its own small unit.

#include "canvas/InputEvent.h"
#include "model/Coord.h"

#include <optional>

class TCvWindow;

namespace plumex {

enum DragStateNumber : int {
    dsIdle = 0,
    dsRubberBand = 1,
    dsCopyPress = 2,
    dsMove = 3,
    dsHandle = 4,
    dsPenClose = 5,
    dsPivot = 6,
    dsScale = 7,
    dsRotate = 8,
    dsShearLeft = 9,
    dsShearTop = 10,
    dsShearRight = 11,
    dsShearBottom = 12,
    dsPan = 13,
    dsVerticalGuide = 14,
    dsHorizontalGuide = 15,
    dsGuideCross = 16,
    dsContextMenu = 17,
};

// The anchor and the handle being dragged, whose angle the status bar shows.
struct HandleLine {
    TCvCoord anchor;
    TCvCoord handle;
};

class Drag {
public:
    virtual ~Drag() = default;
    virtual int state() const = 0;
    // A mouse move while the drag runs (the window has already updated its press context).
    virtual void move(TCvWindow& window, const MouseEvent& e) = 0;
    // Another button pressed during the drag; true when the drag is over.
    virtual bool press(TCvWindow&, const MouseEvent&) { return false; }
    // The release of the button that started the drag.
    virtual void release(TCvWindow& window, const MouseEvent& e) = 0;
    // Focus loss: the drag ends at once, without an undo step.
    virtual void cancel(TCvWindow&) {}
    // The handle this drag shapes, if it shapes one.
    virtual std::optional<HandleLine> handleLine(const TCvWindow&) const { return std::nullopt; }
};

} // namespace plumex
