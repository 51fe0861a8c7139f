#pragma once
// A layer of opaque ink over one repaint's rectangle, for the paths too small or too dense to
// be worth a drawing call each: they are rasterised here pixel by pixel, in drawing order,
// and the layer is laid over the paint buffer in one image call. Writing a pixel costs the
// same whether a thousand anchors share it or one does, so the work follows the window.

#include "canvas/Pixel.h"
#include "raster/RasterImage.h"

#include <cstdint>
#include <vector>

namespace plumex {

class Surface;

class InkLayer {
public:
    // Starts a repaint over `area` of `target`: every pixel is clear.
    void begin(const PixelRect& area, Surface& target);
    const PixelRect& area() const { return area_; }

    void dot(PixelPoint p, Color c);
    void fill(const PixelRect& r, Color c);
    // Outline and inside of a rectangle, as Surface::rectangle draws both.
    void rectangle(const PixelRect& r, Color pen, Color fill);
    // A line without its end pixel (the end pixel is where the next line of a run starts).
    void line(PixelPoint from, PixelPoint to, Color c);

    bool dirty() const { return !dirty_.empty(); }
    // Lays what was inked since the last flush over `s` and clears it.
    void flush(Surface& s);

private:
    void mark(const PixelRect& r);
    std::uint8_t* row(int y) {
        return &pixels_[static_cast<std::size_t>(y - area_.top) *
                        static_cast<std::size_t>(stride_)];
    }
    // The palette index of a colour; a full palette is flushed to the target first.
    std::uint8_t index(Color c);

    PixelRect area_;
    int stride_ = 0;
    // A byte a pixel: the few colours of a repaint by number (0 clear), a quarter of the
    // memory of the colours themselves.
    std::vector<std::uint8_t> pixels_;
    std::vector<Color> palette_;
    Color lastColor_ = 0;
    std::uint8_t lastIndex_ = 0;
    Surface* target_ = nullptr;
    PixelRect dirty_;
};

} // namespace plumex
