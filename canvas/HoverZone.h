#pragma once
// The object tool's zones around the selection's frame: where a press scales, rotates, shears
// or moves. All in client pixels (y down).

#include "canvas/CanvasHost.h"
#include "canvas/Pixel.h"

namespace plumex {

enum HoverZoneNumber : int {
    zoneNone = 0,
    zoneLeft = 1,
    zoneRight = 2,
    zoneTop = 3,
    zoneTopLeft = 4,
    zoneTopRight = 5,
    zoneBottom = 6,
    zoneBottomLeft = 7,
    zoneBottomRight = 8,
    zoneInside = 9,
    zoneCentre = 10,
    zoneRotate = 11,
    zoneShearLeft = 12,
    zoneShearTop = 13,
    zoneShearRight = 14,
    zoneShearBottom = 15,
};

// The zone of mouse pixel m for the selection frame r (pixels of SelectionBounds) whose
// centre is at `centre`.
int hoverZone(const PixelRect& r, PixelPoint centre, PixelPoint m);

// The screen cursor of a zone; zones 0 and 9 keep the tool cursor (nullopt).
std::optional<CursorShape> zoneCursor(int zone);

} // namespace plumex
