#pragma once
// State 4 of the anchor point tool: one control handle follows the mouse, the other mirrors
// it unless the anchor is independent; Shift keeps the handle's direction (or the horizontal
// or vertical). A double click ends the drag by shaping the anchor (see release).

#include "canvas/Drag.h"
#include "canvas/HandleShape.h"

#include <optional>

namespace plumex {

class HandleDrag : public Drag {
public:
    HandleDrag(int path, int point, HandleSide side, std::optional<double> direction)
        : path_(path), point_(point), side_(side), direction_(direction) {}

    DragKind state() const override { return DragKind::Handle; }
    // The handle being dragged would find itself.
    bool searchesAnchors() const override { return false; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    // With a double click: Ctrl makes a corner, Shift levels the handles, neither makes the
    // anchor smooth again. Then the press-time copy becomes the undo step.
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;
    std::optional<HandleLine> handleLine(const TCvWindow& window) const override;

private:
    TCvPoint* point(TCvWindow& window) const;

    int path_;
    int point_;
    HandleSide side_;
    std::optional<double> direction_;
};

// The handle point for the mouse: snapped as the press decided, held by Shift.
TCvCoord handleTarget(const TCvWindow& window, const MouseEvent& e, TCvCoord anchor,
                      std::optional<double> direction);

} // namespace plumex
