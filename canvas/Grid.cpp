#include "canvas/Grid.h"

#include <algorithm>
#include <cmath>

namespace plumex {

AutoGrid autoGridFor(double scale) {
    double x = std::isnan(scale) ? 100.0 : std::clamp(scale, 1e-300, 1e300);
    double c = 1;
    while (x > 100) {
        x *= 0.1;
        c *= 0.1;
    }
    // Find the power of ten c' whose pixel length b lies in (10, 100].
    double unit = c;
    double b = x;
    do {
        unit = c;
        b = x;
        c *= 10;
        x *= 10;
    } while (!(b > 10));

    if (b > 80) return {0.1 * unit, 5, 0.5 * unit, 2};
    if (b > 40) return {0.2 * unit, 5, unit, 10};
    if (b > 20) return {0.5 * unit, 2, 2 * unit, 5};
    return {unit, 5, 5 * unit, 2};
}

} // namespace plumex
