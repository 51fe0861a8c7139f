#pragma once
// A one-bit picture in the tracer's own packed layout, owned. Row 0 is the picture's top row,
// so the tracer's coordinates are picture pixels with y down: (x, y) is a pixel corner.

#include "raster/RasterImage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct potrace_bitmap_s;

namespace plumex {

class TraceBitmap {
public:
    // Throws std::length_error when the size is not one the tracer can hold.
    TraceBitmap(int width, int height);
    TraceBitmap(const TraceBitmap&) = delete;
    TraceBitmap& operator=(const TraceBitmap&) = delete;
    TraceBitmap(TraceBitmap&&) noexcept;
    TraceBitmap& operator=(TraceBitmap&&) noexcept;
    ~TraceBitmap();

    int width() const;
    int height() const;
    void set(int x, int y);
    bool get(int x, int y) const;
    bool empty() const; // no pixel set
    const potrace_bitmap_s& raw() const { return *bitmap_; }

private:
    std::vector<unsigned long> words_;
    std::unique_ptr<potrace_bitmap_s> bitmap_;
};

// 0 to 255, the luma of the colour; a pixel equal to the picture's transparent colour is white.
int brightnessOf(const RasterImage& image, Color c);

// The pixels whose brightness is below `threshold` (at or above it with `invert`). `keepGoing`
// is asked every few rows; false stops and answers an empty bitmap.
TraceBitmap darkPixels(const RasterImage& image, int threshold, bool invert,
                       const std::function<bool()>& keepGoing = {});

} // namespace plumex
