#pragma once
// Shared helpers for the test suites: near-equality, compact path construction and the
// printing of model values in failed assertions.

#include "model/Path.h"
#include "print_model.h"

#include <gtest/gtest.h>

#include <initializer_list>


namespace plumex::testing {

inline ::testing::AssertionResult coordNear(TCvCoord a, TCvCoord b, double tol) {
    if (std::abs(a.x - b.x) <= tol && std::abs(a.y - b.y) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << a.x << ", " << a.y << ") vs (" << b.x << ", " << b.y << "), tolerance " << tol;
}

// A path through the given anchors with retracted handles (straight segments).
inline TCvLine polyline(std::initializer_list<TCvCoord> anchors, bool closed = false) {
    TCvLine line;
    for (TCvCoord a : anchors) line.points.emplace_back(a, a, a);
    line.closed = closed;
    return line;
}

// One anchor given as anchor, in-handle, out-handle.
struct A3 {
    TCvCoord a, in, out;
};

inline TCvLine curve(std::initializer_list<A3> anchors, bool closed = false) {
    TCvLine line;
    for (const A3& p : anchors) line.points.emplace_back(p.a, p.in, p.out);
    line.closed = closed;
    return line;
}

} // namespace plumex::testing
