#pragma once
// The rectangle and ellipse tools: a rubber band from the press (Shift: a square), the shape
// made in it at the release; a double click asks for the size and puts the upper-left corner
// at the click.

#include "canvas/RubberBandDrag.h"
#include "canvas/ToolBehaviour.h"
#include "model/Path.h"

namespace plumex {

// Length of a quarter-circle Bezier handle relative to the radius, 4(sqrt 2 - 1)/3.
inline constexpr double EllipseHandleFactor = 0.552284749830793;

// Closed paths in r (top above bottom): a rectangle from the upper-left corner clockwise, an
// ellipse from the top through the right.
TCvLine RectanglePath(const TCvRect& r);
TCvLine EllipsePath(const TCvRect& r);

// The band of the shape tools and the text tool: it starts at the (snapped) press pixel; Shift
// makes it a square, and the moving corner snaps.
class ShapeBandDrag : public RubberBandDrag {
public:
    ShapeBandDrag(TCvWindow& window, Finish finish, BandShape shape);

protected:
    PixelPoint corner(TCvWindow& window, const MouseEvent& e) override;
};

class ShapeTool : public ToolBehaviour {
public:
    explicit ShapeTool(BandShape shape) : shape_(shape) {}
    CursorShape cursor() const override {
        return ellipse() ? CursorShape::Ellipse : CursorShape::Rect;
    }
    bool copiesBeforePress() const override { return true; }
    void press(TCvWindow& window, const MouseEvent& e) override;

    // The size of the last shape made, offered by the size dialog; (1, 1) at first.
    TCvCoord lastSize() const { return size_; }

private:
    void finish(TCvWindow& window, const PixelRect& band, const MouseEvent& e);
    void create(TCvWindow& window, const TCvRect& r);

    bool ellipse() const { return shape_ == BandShape::Ellipse; }
    BandShape shape_;
    TCvCoord size_{1, 1};
};

} // namespace plumex
