#pragma once
// The faded look of the draft picture: each channel c becomes 255 - (255 - c) div 3.

#include "raster/RasterImage.h"

namespace plumex {

inline Color fadedColor(Color c) {
    Color out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const Color ch = (c >> shift) & 0xFF;
        out |= (255 - (255 - ch) / 3) << shift;
    }
    return out;
}

RasterImage fadedCopy(const RasterImage& image);

} // namespace plumex
