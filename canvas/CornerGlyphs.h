#pragma once
// The six 32 x 32 pictures of the selection helper: corner scale handles 0 to 3 (top-left,
// top-right, bottom-right, bottom-left), the top/bottom shear handle 4 and the left/right
// shear handle 5. The canvas places them at fixed offsets from the selection frame.

#include "canvas/Surface.h"

#include <vector>

namespace plumex {

inline constexpr Color GlyphTransparent = 0xFF00FF;

std::vector<RasterImage> cornerGlyphs();

} // namespace plumex
