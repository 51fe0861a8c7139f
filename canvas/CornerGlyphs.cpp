#include "canvas/CornerGlyphs.h"

namespace plumex {

namespace {

constexpr int Size = 32;
constexpr Color Ink = 0x404040;
constexpr Color Paper = 0xFFFFFF;

RasterImage blank() {
    return {Size, Size, std::vector<Color>(Size * Size, GlyphTransparent), GlyphTransparent};
}

void put(RasterImage& img, int x, int y, Color c) {
    if (x >= 0 && y >= 0 && x < Size && y < Size) img.pixels[y * Size + x] = c;
}

// A square handle of side 7 centred on (cx, cy): dark frame, light inside.
void handle(RasterImage& img, int cx, int cy) {
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x) {
            const bool edge = x == cx - 3 || x == cx + 3 || y == cy - 3 || y == cy + 3;
            put(img, x, y, edge ? Ink : Paper);
        }
}

// A double arrow of length 9 through (cx, cy), along x when `horizontal`.
void arrow(RasterImage& img, int cx, int cy, bool horizontal) {
    for (int i = -4; i <= 4; ++i) {
        const int d = i < 0 ? -i : i;
        const int spread = d >= 2 ? 4 - d : 0; // heads pointing outward, a thin shaft
        for (int j = -spread; j <= spread; ++j) {
            if (horizontal)
                put(img, cx + i, cy + j, Ink);
            else
                put(img, cx + j, cy + i, Ink);
        }
    }
}

} // namespace

std::vector<RasterImage> cornerGlyphs() {
    std::vector<RasterImage> glyphs(6, blank());
    // Where the frame's corner or edge falls inside each glyph (see the helper painting).
    handle(glyphs[0], 11, 11);
    handle(glyphs[1], 20, 11);
    handle(glyphs[2], 20, 20);
    handle(glyphs[3], 11, 20);
    arrow(glyphs[4], 15, 6, true);
    arrow(glyphs[5], 6, 15, false);
    return glyphs;
}

} // namespace plumex
