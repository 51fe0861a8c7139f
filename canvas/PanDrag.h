#pragma once
// Right-button drag: the picture follows the mouse.

#include "canvas/Drag.h"

namespace plumex {

class PanDrag : public Drag {
public:
    DragKind state() const override { return DragKind::Pan; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
};

} // namespace plumex
