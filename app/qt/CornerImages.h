#pragma once
// The six selection-helper glyphs of the main window (corners 0-3, top/bottom 4, left/right
// 5), 32 x 32 each, placed so the canvas's offsets put the marks just outside the selection.

#include "canvas/Surface.h"

#include <vector>

namespace plumex {

std::vector<RasterImage> cornerImages();

} // namespace plumex
