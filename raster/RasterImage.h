#pragma once
// Pictures in memory, shared by the canvas (paint buffer, draft picture), the bitmap export
// and the picture decoders. Colours are 0x00BBGGRR, as the canvas paints them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace plumex {

using Color = uint32_t;

inline constexpr Color rgbColor(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
           static_cast<Color>(b & 0xFF) << 16;
}
inline constexpr int redOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int blueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Rows top-down, one Color per pixel. Pixels equal to `transparent` (when set) are not drawn.
struct RasterImage {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;
    std::optional<Color> transparent;

    Color at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

} // namespace plumex
