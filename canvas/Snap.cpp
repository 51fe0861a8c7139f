#include "canvas/Snap.h"

#include <cmath>

namespace plumex {

namespace {

// Rounded as v / g + 1/2 rather than (v + g/2) / g: the sum would push exact halves such as
// 0.25 on a 0.1 grid just below the line above.
double nearestGridLine(double v, double g) {
    return std::floor(v / g + 0.5) * g;
}

} // namespace

double snapCoordinate(double v, std::span<const double> guides, const SnapRules& rules) {
    double result = v;
    bool snapped = false;
    double best = 0;
    if (rules.gridStep && v != 0) {
        const double line = nearestGridLine(v, *rules.gridStep);
        if (std::abs(v - line) < rules.tolerance) {
            result = line;
            snapped = true;
            best = std::abs(v - line);
        }
    }
    if (!rules.guides || (snapped && best == 0)) return result;
    for (int i = 0; i < static_cast<int>(guides.size()); ++i) {
        if (i == rules.skipGuide) continue;
        const double d = std::abs(guides[i] - v);
        if (!(d < rules.tolerance) || (snapped && !(d < best))) continue;
        result = guides[i];
        snapped = true;
        best = d;
        if (d == 0) break;
    }
    return result;
}

double snapEdges(double edge1, double edge2, std::span<const double> guides,
                 const SnapRules& rules) {
    double best = 0;
    bool found = false;
    auto consider = [&](double correction) {
        if (!(std::abs(correction) < rules.tolerance)) return;
        if (found && !(std::abs(correction) < std::abs(best))) return;
        best = correction;
        found = true;
    };
    for (double edge : {edge1, edge2}) {
        if (rules.gridStep) consider(nearestGridLine(edge, *rules.gridStep) - edge);
        if (rules.guides)
            for (int i = 0; i < static_cast<int>(guides.size()); ++i)
                if (i != rules.skipGuide) consider(guides[i] - edge);
    }
    return best;
}

} // namespace plumex
