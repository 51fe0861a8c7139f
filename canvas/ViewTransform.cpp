#include "canvas/ViewTransform.h"

#include <cmath>

namespace plumex {

int clampToPixel(double v) {
    // Converting a double outside int's range is undefined, so clamp first.
    if (!(v >= -PixelLimit)) return -PixelLimit; // also NaN
    if (v > PixelLimit) return PixelLimit;
    return static_cast<int>(v);
}

} // namespace plumex
