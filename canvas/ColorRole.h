#pragma once
// What each entry of the colour table paints on the canvas.

#include "app/ColorTable.h"
#include "canvas/Surface.h"

namespace plumex {

enum class ColorRole : int {
    Background = 0,
    Unselected = 1,
    Selected = 2,
    SelectedPathAnchor = 3,
    SelectedEnd = 4,
    SelectedPathEnd = 5,
    Control = 6,
    Locked = 7,
    Grids = 8,
    StepGrids = 9,
    CenterGrids = 10,
    SelectedBounds = 11,
    Marker = 12,
    CursorIndicators = 15,
    GuideLines = 16,
};

inline Color roleColor(const ColorTable& table, ColorRole role) {
    return table[static_cast<std::size_t>(role)];
}

} // namespace plumex
