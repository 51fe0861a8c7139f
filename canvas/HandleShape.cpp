#include "canvas/HandleShape.h"

#include <cmath>
#include <numbers>

namespace plumex {

std::optional<double> handleDirection(TCvCoord anchor, TCvCoord handle) {
    if (equal(anchor, handle)) return std::nullopt;
    return std::atan2(handle.y - anchor.y, handle.x - anchor.x);
}

TCvCoord constrainHandle(TCvCoord anchor, TCvCoord h, std::optional<double> direction) {
    if (!direction) return lockToAxis(anchor, h);
    const TCvCoord u{std::cos(*direction), std::sin(*direction)};
    const TCvCoord d = subtract(h, anchor);
    return add(anchor, scale(u, d.x * u.x + d.y * u.y));
}

TCvCoord lockToAxis(TCvCoord from, TCvCoord p) {
    if (std::abs(p.x - from.x) >= std::abs(p.y - from.y)) return {p.x, from.y};
    return {from.x, p.y};
}

TCvCoord& handleOf(TCvPoint& p, HandleSide side) {
    return side == HandleSide::Out ? p.outHandle : p.inHandle;
}

TCvCoord& otherHandleOf(TCvPoint& p, HandleSide side) {
    return side == HandleSide::Out ? p.inHandle : p.outHandle;
}

void dragHandle(TCvPoint& p, HandleSide side, TCvCoord h) {
    handleOf(p, side) = h;
    if (!p.independent) otherHandleOf(p, side) = mirror(h, p.anchor);
}

void retractHandle(TCvPoint& p, HandleSide side) {
    handleOf(p, side) = p.anchor;
    p.independent = 1;
}

void levelHandles(TCvPoint& p, HandleSide side, double direction) {
    constexpr double quarter = std::numbers::pi / 4;
    const double a = std::abs(direction);
    const bool horizontal = a <= quarter || a >= 3 * quarter;
    auto level = [&](TCvCoord& h) {
        if (horizontal)
            h.y = p.anchor.y;
        else
            h.x = p.anchor.x;
    };
    level(handleOf(p, side));
    if (!p.independent) level(otherHandleOf(p, side));
}

void remirrorHandles(TCvPoint& p, HandleSide side) {
    otherHandleOf(p, side) = mirror(handleOf(p, side), p.anchor);
    p.independent = 0;
}

void retractBothHandles(TCvPoint& p) {
    p.inHandle = p.outHandle = p.anchor;
    p.independent = 0;
}

} // namespace plumex
