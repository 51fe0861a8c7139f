#pragma once
// States 14 and 15: moving one vertical or horizontal guide line; state 16: the pair pulled
// out of the ruler corner. A guide released over its ruler or outside the client area is
// deleted.

#include "canvas/Drag.h"

namespace plumex {

struct MovingGuide;

class GuideDrag : public Drag {
public:
    GuideDrag(TCvWindow& window, MovingGuide guide);
    // The corner's pair: vertical guide v and horizontal guide h.
    GuideDrag(TCvWindow& window, int v, int h);

    DragKind state() const override { return state_; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    // A right click puts the guide on the anchor under the mouse or a near selection edge.
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    DragKind state_;
    int vertical_ = -1;
    int horizontal_ = -1;
};

} // namespace plumex
