#pragma once
// The program's own PNG decoder on zlib. Every colour type and bit depth, Adam7 interlacing;
// 16-bit samples keep their high byte and alpha is composited over white. Ancillary chunks
// (tRNS, gAMA, ...) are skipped and CRCs are not checked.

#include "raster/RasterImage.h"

#include <cstdint>
#include <span>

namespace plumex {

// Throws PictureError with the reader's message when the data is not a PNG it can decode.
RasterImage readPng(std::span<const uint8_t> data);

} // namespace plumex
