#pragma once
// Bit-for-bit equality of paths: unlike TCvLine's operator== it tells 0.0 from -0.0, matches
// equal NaN patterns and includes the selection, so a copy found identical can stand in for
// the original without any observable difference.

#include "model/Path.h"

#include <bit>
#include <cstdint>

namespace plumex {

inline bool identical(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline bool identical(TCvCoord a, TCvCoord b) {
    return identical(a.x, b.x) && identical(a.y, b.y);
}

inline bool identical(const TCvPoint& a, const TCvPoint& b) {
    return identical(a.anchor, b.anchor) && identical(a.inHandle, b.inHandle) &&
           identical(a.outHandle, b.outHandle) && a.selected == b.selected &&
           a.independent == b.independent;
}

inline bool identical(const TCvLine& a, const TCvLine& b) {
    if (a.closed != b.closed || a.selected != b.selected || a.locked != b.locked ||
        a.visible != b.visible || a.points.size() != b.points.size() || a.name != b.name)
        return false;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        if (!identical(a.points[i], b.points[i])) return false;
    return true;
}

} // namespace plumex
