#pragma once
// One mouse drag from press to release. The window keeps at most one; its kind is the
// window's drag state (Idle when there is none). Each kind of drag (panning, moving a guide, and
// the tools' drags) is its own small unit.

#include "canvas/HitTest.h"
#include "canvas/InputEvent.h"
#include "model/Coord.h"

#include <optional>

class TCvWindow;

namespace plumex {

// What the current drag does; Idle when none runs.
enum class DragKind : int {
    Idle = 0,
    RubberBand = 1,
    CopyPress = 2,
    Move = 3,
    Handle = 4,
    PenClose = 5,
    Pivot = 6,
    Scale = 7,
    Rotate = 8,
    ShearLeft = 9,
    ShearTop = 10,
    ShearRight = 11,
    ShearBottom = 12,
    Pan = 13,
    VerticalGuide = 14,
    HorizontalGuide = 15,
    GuideCross = 16,
    ContextMenu = 17,
};

// The anchor and the handle being dragged, whose angle the status bar shows.
struct HandleLine {
    TCvCoord anchor;
    TCvCoord handle;
};

class Drag {
public:
    virtual ~Drag() = default;
    virtual DragKind state() const = 0;
    // A mouse move while the drag runs (the window has already updated its press context).
    virtual void move(TCvWindow& window, const MouseEvent& e) = 0;
    // Another button pressed during the drag; true when the drag is over.
    virtual bool press(TCvWindow&, const MouseEvent&) { return false; }
    // The release of the button that started the drag.
    virtual void release(TCvWindow& window, const MouseEvent& e) = 0;
    // Focus loss: the drag ends at once, without an undo step.
    virtual void cancel(TCvWindow&) {}
    // The anchor this drag holds under the pointer, if it holds one.
    virtual AnchorHit grabbed() const { return {}; }
    // Whether the anchor under the pointer may be looked for while the drag runs; anchors the
    // drag carries along would find themselves.
    virtual bool searchesAnchors() const { return true; }
    // The handle this drag shapes, if it shapes one.
    virtual std::optional<HandleLine> handleLine(const TCvWindow&) const { return std::nullopt; }
};

} // namespace plumex
