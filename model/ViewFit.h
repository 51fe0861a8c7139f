#pragma once
// The view that shows a rectangle of the drawing whole: the editor's Fit All and the view that
// generated documents store share it.

#include "model/Coord.h"
#include "model/Rect.h"

#include "model/Path.h"

#include <optional>
#include <vector>

namespace plumex {

inline constexpr double MinViewScale = 0.01;
inline constexpr double MaxViewScale = 12800;
// Pixels kept free around a fitted rectangle, across both edges together.
inline constexpr int FitMargin = 45;
// The drawing area (without rulers) of the main window at its default size, which is what a
// generated document's view is fitted to.
inline constexpr int DefaultViewWidth = 560;
inline constexpr int DefaultViewHeight = 360;

struct ViewFit {
    double scale = 100;
    TCvCoord centre;
};

// The scale (pixels per unit, within [MinViewScale, MaxViewScale]) and centre that show `r`
// in an area of width x height pixels less FitMargin. An axis with no extent asks for the
// `current` scale, so a flat rectangle is never zoomed into beyond it. A non-finite rectangle
// gives a NaN scale, which callers take as "keep the view".
ViewFit fitView(const TCvRect& r, int width, int height, double current);

// The bounds of every path, or nothing when there is no path.
std::optional<TCvRect> drawingBounds(const std::vector<TCvLine>& lines);

} // namespace plumex
