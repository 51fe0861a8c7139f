#pragma once
// The program's own BMP decoder: 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and
// top-down rows, RLE8 and RLE4, bit-field masks, the OS/2 and Windows 3 to 5 headers. Alpha
// (when a mask names it) is put over white, as for PNG.

#include "raster/PictureError.h"
#include "raster/RasterImage.h"

#include <cstdint>
#include <span>

namespace plumex {

RasterImage readBmp(std::span<const uint8_t> data, int64_t maxPixels = MaxPicturePixels);

} // namespace plumex
