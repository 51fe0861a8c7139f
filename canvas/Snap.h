#pragma once
// Snapping of one coordinate, or of a moving rectangle's edges, to grid lines and guides.

#include <optional>
#include <span>

namespace plumex {

struct SnapRules {
    std::optional<double> gridStep; // grid snapping applies with this step
    bool guides = false;            // guide snapping applies
    double tolerance = 0;           // drawing units
    int skipGuide = -1;             // index of the moving guide (not a target)
};

// The snapped value of v: the grid line within tolerance (v = 0 is left alone), replaced by
// a nearer guide within tolerance.
double snapCoordinate(double v, std::span<const double> guides, const SnapRules& rules);

// The smallest correction within tolerance that puts one of the two edges on a grid line or
// a guide; 0 when none does.
double snapEdges(double edge1, double edge2, std::span<const double> guides,
                 const SnapRules& rules);

} // namespace plumex
