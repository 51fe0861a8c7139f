#include "model/ViewFit.h"

#include "model/UnitedBounds.h"

#include <algorithm>
#include <cmath>

namespace plumex {

ViewFit fitView(const TCvRect& r, int width, int height, double current) {
    const double w = r.right - r.left;
    const double h = r.top - r.bottom;
    // Written as factors of the current scale, as zooming by a factor would compute them.
    const double fx = w != 0 ? ((width - FitMargin) / current) / w : 1;
    const double fy = h != 0 ? ((height - FitMargin) / current) / h : 1;
    const double s = std::min(fx, fy) * current;
    ViewFit fit;
    fit.scale = std::isnan(s) ? s : std::clamp(s, MinViewScale, MaxViewScale);
    fit.centre = centre(r);
    return fit;
}

std::optional<TCvRect> drawingBounds(const std::vector<TCvLine>& lines) {
    return unitedBounds(lines, Counted::All);
}

} // namespace plumex
