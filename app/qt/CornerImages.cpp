#include "app/qt/CornerImages.h"

namespace plumex {
namespace {

constexpr Color transparentKey = 0x00FF00FF;
constexpr Color black = 0x00000000;
constexpr Color white = 0x00FFFFFF;

// A 6 x 6 handle mark, white edged, with its top-left corner at (x, y).
RasterImage glyphWithMark(int x, int y) {
    RasterImage image{32, 32, std::vector<Color>(32 * 32, transparentKey), transparentKey};
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 6; ++i) {
            const bool edge = i == 0 || j == 0 || i == 5 || j == 5;
            image.pixels[static_cast<size_t>(y + j) * 32 + x + i] = edge ? white : black;
        }
    return image;
}

} // namespace

std::vector<RasterImage> cornerImages() {
    // The selection's corner falls on (11, 11), (21, 11), (21, 21) and (11, 21) of glyphs 0-3;
    // glyph 4 sits 12 pixels above the top edge or 3 below the bottom, glyph 5 likewise sideways.
    return {glyphWithMark(3, 3),  glyphWithMark(23, 3), glyphWithMark(23, 23),
            glyphWithMark(3, 23), glyphWithMark(13, 4), glyphWithMark(4, 13)};
}

} // namespace plumex
