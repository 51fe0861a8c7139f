#pragma once
// The six selection-helper glyphs of the main window (corners 0-3, top/bottom 4, left/right
// 5), 32 x 32 logical pixels each, placed so the canvas's offsets put the marks just outside
// the selection. They are drawn at `ratio` device pixels a logical one (64 x 64 at 2), which
// the canvas lays into the 32 x 32 place one to one.

#include "canvas/Surface.h"

#include <QtGlobal>

#include <vector>

namespace plumex {

std::vector<RasterImage> cornerImages(qreal ratio = 1);

} // namespace plumex
