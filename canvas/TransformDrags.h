#pragma once
// The object tool's drags on the selection helper: scaling (state 7), rotating (state 8) and
// shearing (states 9 to 12). Each move recomputes the transform from the press-time copy of
// the selection, so errors never accumulate.

#include "canvas/Drag.h"
#include "canvas/HoverZone.h"
#include "model/Rect.h"

namespace plumex {

// Factors of a scale by zone `zone` (1 to 8) of the press-time bounds b about `fixed`, for the
// mouse at `to`. An axis whose edges stay, a zero denominator or a result that is not finite
// keeps 1. With `uniform`, corners take the smaller factor for both axes.
// Shift keeps the proportions.
enum class ScaleRatio { Free, Uniform };
TCvCoord scaleFactors(HoverZone zone, const TCvRect& b, TCvCoord fixed, TCvCoord to,
                      ScaleRatio ratioRule);
// The point that stays put while zone `zone` scales b.
TCvCoord scaleFixedPoint(HoverZone zone, const TCvRect& b);

// The angle in radians truncated toward zero to whole degrees, then to a multiple of 5.
double stepAngle(double radians);

// Shear factors (kx, ky) of drag state 9 to 12 on bounds b about `fixed`, from press point
// `from` to `to`. A factor that is not finite counts as 0.
TCvCoord shearFactors(DragKind state, const TCvRect& b, TCvCoord fixed, TCvCoord from, TCvCoord to);
TCvCoord shearFixedPoint(DragKind state, const TCvRect& b);
// The shear drag that a press in one of the four shear zones starts.
DragKind shearDragOf(HoverZone zone);

class ScaleDrag : public Drag {
public:
    explicit ScaleDrag(HoverZone zone) : zone_(zone) {}
    DragKind state() const override { return DragKind::Scale; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    HoverZone zone_;
};

class RotateDrag : public Drag {
public:
    DragKind state() const override { return DragKind::Rotate; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;
};

class ShearDrag : public Drag {
public:
    explicit ShearDrag(DragKind state) : state_(state) {}
    DragKind state() const override { return state_; }
    void move(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    DragKind state_;
};

} // namespace plumex
