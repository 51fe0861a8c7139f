#pragma once
// The mapping between drawing units (y up) and client pixels (y down): a scale in pixels per
// unit and the pixel of the drawing origin. Pixel results are truncated toward zero after
// being clamped to +-PixelLimit, so a far-away or non-finite coordinate still gives a pixel
// that every drawing call can take (NaN goes to -PixelLimit).

#include "canvas/Pixel.h"
#include "model/Rect.h"

namespace plumex {

inline constexpr int PixelLimit = 1 << 20;

// trunc(v) clamped to [-PixelLimit, PixelLimit].
int clampToPixel(double v);

struct ViewTransform {
    double scale = 100.0;
    PixelPoint origin;

    int UnitToPixelX(double x) const { return clampToPixel(scale * x + origin.x); }
    int UnitToPixelY(double y) const { return clampToPixel(origin.y - scale * y); }
    PixelPoint UnitToPixel(TCvCoord p) const { return {UnitToPixelX(p.x), UnitToPixelY(p.y)}; }
    TCvCoord PixelToUnit(int px, int py) const {
        return {(px - origin.x) / scale, (origin.y - py) / scale};
    }
    TCvCoord PixelToUnit(PixelPoint p) const { return PixelToUnit(p.x, p.y); }
    double PixelsToUnits(double n) const { return n / scale; }
    int UnitsToPixels(double d) const { return clampToPixel(d * scale); }
    // Edges converted one by one: left/right from x, top/bottom from y (so top < bottom).
    PixelRect UnitRectToPixelRect(const TCvRect& r) const {
        return {UnitToPixelX(r.left), UnitToPixelY(r.top), UnitToPixelX(r.right),
                UnitToPixelY(r.bottom)};
    }
    TCvRect PixelRectToUnitRect(const PixelRect& r) const {
        const TCvCoord lt = PixelToUnit(r.left, r.top);
        const TCvCoord rb = PixelToUnit(r.right, r.bottom);
        return {lt.x, lt.y, rb.x, rb.y};
    }
};

} // namespace plumex
