#pragma once
// The picture loader: reads a BMP, JPEG or PNG file, choosing the decoder by the file's
// extension (case-insensitive), as the draft picture and plumex-cli do.

#include "raster/RasterImage.h"

#include <cstdint>
#include <span>
#include <string>

namespace plumex {

enum class PictureFormat { Unknown, Bmp, Jpeg, Png };

PictureFormat pictureFormatOf(const std::string& path);

// Throws PictureError with the decoder's message, or one saying the file cannot be read.
RasterImage decodePicture(PictureFormat format, std::span<const uint8_t> data);
RasterImage loadPicture(const std::string& path);

} // namespace plumex
