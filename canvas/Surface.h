#pragma once
// What the canvas draws on: the off-screen paint buffer of the window. Everything the canvas
// paints goes here first; `present` shows a part of it on the screen. Colours are 0x00BBGGRR.
// Shapes follow the window system's rules: a rectangle or ellipse covers [left, right) x
// [top, bottom), its outline inside that box; a line leaves out its end pixel.

#include "canvas/Pixel.h"
#include "raster/RasterImage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct FontSpec {
    std::string face;
    int height = 10; // pixels
    bool bold = false;
    int escapement = 0; // tenths of a degree, counter-clockwise
};

enum class PenStyle { Solid, Dotted };

// The outline of a rubber band: the rectangle, or the ellipse inside it.
enum class BandShape { Rectangle, Ellipse };

class Surface {
public:
    virtual ~Surface() = default;

    // Buffer size; the buffer grows to the client size and never shrinks.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Clips every later drawing call to `r` until the next setClip; nullopt clips to the
    // buffer.
    virtual void setClip(std::optional<PixelRect> r) = 0;

    virtual void fillRect(const PixelRect& r, Color c) = 0;
    virtual void line(PixelPoint from, PixelPoint to, Color pen) = 0;
    // Connected lines through the points; the last point is left out.
    virtual void polyline(std::span<const PixelPoint> points, Color pen) = 0;
    // Cubic poly-Bezier: a start point, then three points per segment.
    virtual void polyBezier(std::span<const PixelPoint> points, Color pen) = 0;
    // Outline in `pen` (none when unset) and inside in `fill` (none when unset).
    virtual void rectangle(const PixelRect& r, std::optional<Color> pen,
                           std::optional<Color> fill) = 0;
    virtual void ellipse(const PixelRect& r, std::optional<Color> pen,
                         std::optional<Color> fill) = 0;
    // Text whose cell has its top-left corner at `at` (turned about it by the escapement).
    virtual void text(PixelPoint at, std::string_view text, const FontSpec& font, Color c) = 0;
    // Draws `image` scaled into `dest` (which may reach far outside the buffer).
    virtual void drawImage(const PixelRect& dest, const RasterImage& image) = 0;
    // Lays inked pixels over `dest`: row y of dest starts at indices[y * stride]; index 0
    // leaves the pixel as it is, index i paints palette[i].
    virtual void overlay(const PixelRect& dest, const std::uint8_t* indices, int stride,
                         std::span<const Color> palette) {
        constexpr Color Clear = 0xFF000000u; // no colour of the table has a high byte
        RasterImage image{dest.width(), dest.height(), {}, Clear};
        image.pixels.reserve(static_cast<std::size_t>(image.width) *
                             static_cast<std::size_t>(image.height));
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const std::uint8_t i = indices[static_cast<std::size_t>(y) * stride + x];
                image.pixels.push_back(i ? palette[i] : Clear);
            }
        drawImage(dest, image);
    }
    // The dotted inverting frame of the tools: drawing it twice restores the pixels.
    virtual void invertFrame(const PixelRect& r, BandShape shape) = 0;

    virtual Color pixel(PixelPoint p) const = 0;
    virtual void setPixel(PixelPoint p, Color c) = 0;

    // An off-screen buffer of the same kind (for cached strips), filled with black.
    virtual std::unique_ptr<Surface> createBuffer(int width, int height) const = 0;
    // Copies `from` of a buffer made by createBuffer (or of a surface of the same kind) to `to`
    // in this one (clipped as usual).
    virtual void copyFrom(const Surface& source, const PixelRect& from, PixelPoint to) = 0;

    // Shows `r` of the buffer on the screen (at once, or at the end of the current paint).
    virtual void present(const PixelRect& r) = 0;
};

} // namespace plumex
