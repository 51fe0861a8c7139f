#pragma once
// JPEG pictures through libjpeg: greyscale and colour, baseline and progressive. CMYK and
// YCCK files are refused, and so is a file cut short. The library's errors come back as
// PictureError.

#include "raster/PictureError.h"
#include "raster/RasterImage.h"

#include <cstdint>
#include <span>

namespace plumex {

RasterImage readJpeg(std::span<const uint8_t> data, int64_t maxPixels = MaxPicturePixels);

} // namespace plumex
