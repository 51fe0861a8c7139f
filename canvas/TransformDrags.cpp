#include "canvas/TransformDrags.h"

#include "canvas/Window.h"
#include "commands/TransformCommands.h"

#include <cmath>
#include <numbers>

namespace plumex {

namespace {

double ratio(double num, double den) {
    if (den == 0) return 1;
    const double r = num / den;
    return std::isfinite(r) ? r : 1;
}

// Scaling and shearing carry the pivot along; rotation turns about it.
enum class PivotRule { Follows, Stays };

// The press-time copy of the selection mapped by the linear map with axis images xAxis and
// yAxis about `centre` replaces the selection.
void replaceSelection(TCvWindow& window, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre,
                      PivotRule pivot) {
    const EditBase& p = window.PressBase();
    TCvDocument& doc = window.Document;
    const PixelRect before = window.SelectedPathsExtent();
    const LineList::Mark mark = doc.Lines.mark();
    for (std::size_t k = 0; k < p.selection.size(); ++k) {
        TCvLine line = p.selection[k];
        line.Transform(centre, xAxis, yAxis);
        doc.Lines[static_cast<std::size_t>(p.selectedIndices[k])] = std::move(line);
    }
    doc.UpdateSelectionBounds();
    if (pivot == PivotRule::Follows)
        doc.Pivot = linearMap(p.pivot, xAxis.x, xAxis.y, yAxis.x, yAxis.y, centre);
    window.InvalidateEdited(mark, before);
}

bool withCtrl(const MouseEvent& e) {
    return (e.shift & ssCtrl) != 0;
}

} // namespace

// The corner and edge zones are numbered so that n % 3 tells the moving vertical edge (1 left,
// 2 right) and n / 3 the moving horizontal edge (1 top, 2 bottom).
TCvCoord scaleFixedPoint(HoverZone zone, const TCvRect& b) {
    const int n = static_cast<int>(zone);
    const bool left = n % 3 == 1;
    const bool top = n / 3 == 1;
    return {left ? b.right : b.left, top ? b.bottom : b.top};
}

TCvCoord scaleFactors(HoverZone zone, const TCvRect& b, TCvCoord fixed, TCvCoord to,
                      ScaleRatio ratioRule) {
    double sx = 1;
    double sy = 1;
    const int h = static_cast<int>(zone) % 3; // 1: left edge moves, 2: right
    const int v = static_cast<int>(zone) / 3; // 1: top edge moves, 2: bottom
    if (h != 0) sx = ratio(to.x - fixed.x, (h == 1 ? b.left : b.right) - fixed.x);
    if (v != 0) sy = ratio(to.y - fixed.y, (v == 1 ? b.top : b.bottom) - fixed.y);
    if (ratioRule == ScaleRatio::Uniform) {
        if (h != 0 && v != 0)
            sx = sy = std::min(sx, sy);
        else if (h != 0)
            sy = sx;
        else
            sx = sy;
    }
    return {sx, sy};
}

double stepAngle(double radians) {
    const long degrees = static_cast<long>(std::trunc(radians * 180 / std::numbers::pi));
    return static_cast<double>(degrees / 5 * 5) * std::numbers::pi / 180;
}

DragKind shearDragOf(HoverZone zone) {
    switch (zone) {
    case HoverZone::ShearTop:
        return DragKind::ShearTop;
    case HoverZone::ShearRight:
        return DragKind::ShearRight;
    case HoverZone::ShearBottom:
        return DragKind::ShearBottom;
    default:
        return DragKind::ShearLeft;
    }
}

TCvCoord shearFixedPoint(DragKind state, const TCvRect& b) {
    switch (state) {
    case DragKind::ShearLeft:
        return {b.right, b.bottom};
    case DragKind::ShearBottom:
        return {b.left, b.top};
    default:
        return {b.left, b.bottom};
    }
}

TCvCoord shearFactors(DragKind state, const TCvRect& b, TCvCoord fixed, TCvCoord from,
                      TCvCoord to) {
    auto factor = [](double num, double den) {
        const double k = num / den;
        return std::isfinite(k) ? k : 0.0;
    };
    switch (state) {
    case DragKind::ShearLeft:
        return {0, factor(to.y - from.y, b.left - fixed.x)};
    case DragKind::ShearRight:
        return {0, factor(to.y - from.y, b.right - fixed.x)};
    case DragKind::ShearTop:
        return {factor(to.x - from.x, b.top - fixed.y), 0};
    case DragKind::ShearBottom:
        return {factor(to.x - from.x, b.bottom - fixed.y), 0};
    default:
        return {0, 0};
    }
}

void ScaleDrag::move(TCvWindow& window, const MouseEvent& e) {
    const EditBase& base = window.PressBase();
    const TCvCoord fixed = withCtrl(e) ? base.pivot : scaleFixedPoint(zone_, base.bounds);
    const ScaleRatio rule = (e.shift & ssShift) ? ScaleRatio::Uniform : ScaleRatio::Free;
    const TCvCoord s = scaleFactors(zone_, base.bounds, fixed, window.Press().point, rule);
    replaceSelection(window, {s.x, 0}, {0, s.y}, fixed, PivotRule::Follows);
}

void ScaleDrag::release(TCvWindow& window, const MouseEvent&) {
    window.FinishEdit();
}

void ScaleDrag::cancel(TCvWindow& window) {
    window.FinishEdit();
}

void RotateDrag::move(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    const TCvCoord c = window.PressBase().pivot;
    const double a = std::atan2(p.pressPoint.y - c.y, p.pressPoint.x - c.x);
    const double b = std::atan2(p.point.y - c.y, p.point.x - c.x);
    double theta = a - b; // clockwise positive
    if (e.shift & ssShift) theta = stepAngle(theta);
    const Axes axes = rotationAxes(theta);
    replaceSelection(window, axes.x, axes.y, c, PivotRule::Stays);
}

void RotateDrag::release(TCvWindow& window, const MouseEvent&) {
    window.FinishEdit();
}

void RotateDrag::cancel(TCvWindow& window) {
    window.FinishEdit();
}

void ShearDrag::move(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    const EditBase& base = window.PressBase();
    const TCvCoord fixed = withCtrl(e) ? base.pivot : shearFixedPoint(state_, base.bounds);
    const TCvCoord k = shearFactors(state_, base.bounds, fixed, p.pressPoint, p.point);
    replaceSelection(window, {1, k.y}, {k.x, 1}, fixed, PivotRule::Follows);
}

void ShearDrag::release(TCvWindow& window, const MouseEvent&) {
    window.FinishEdit();
}

void ShearDrag::cancel(TCvWindow& window) {
    window.FinishEdit();
}

} // namespace plumex
