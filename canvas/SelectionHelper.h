#pragma once
// The object tool's overlay: the selection's frame with its corner and edge glyphs, the
// frame's centre and the pivot marker.

#include "canvas/Surface.h"

class TCvWindow;

namespace plumex {

// The pivot marker's circle; a press within it grabs the pivot.
inline constexpr int MarkerRadius = 8;

void paintSelectionHelper(Surface& s, const TCvWindow& window);
// The pivot marker at p: a circle with a cross.
void paintMarker(Surface& s, PixelPoint p, Color ink);

} // namespace plumex
