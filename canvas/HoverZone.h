#pragma once
// The object tool's zones around the selection's frame: where a press scales, rotates, shears
// or moves. All in client pixels (y down).

#include "canvas/CanvasHost.h"
#include "canvas/Pixel.h"

namespace plumex {

enum class HoverZone : int {
    None = 0,
    Left = 1,
    Right = 2,
    Top = 3,
    TopLeft = 4,
    TopRight = 5,
    Bottom = 6,
    BottomLeft = 7,
    BottomRight = 8,
    Inside = 9,
    Centre = 10,
    Rotate = 11,
    ShearLeft = 12,
    ShearTop = 13,
    ShearRight = 14,
    ShearBottom = 15,
};

// The eight zones on the frame's corners and edges scale; the four beyond its edges shear.
inline bool isScaleZone(HoverZone z) {
    return z >= HoverZone::Left && z <= HoverZone::BottomRight;
}
inline bool isShearZone(HoverZone z) {
    return z >= HoverZone::ShearLeft && z <= HoverZone::ShearBottom;
}

// The zone of mouse pixel m for the selection frame r (pixels of SelectionBounds) whose
// centre is at `centre`.
HoverZone hoverZone(const PixelRect& r, PixelPoint centre, PixelPoint m);

// The screen cursor of a zone; None and Inside keep the tool cursor (nullopt).
std::optional<CursorShape> zoneCursor(HoverZone zone);

} // namespace plumex
