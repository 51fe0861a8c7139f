#pragma once
// The error a picture decoder raises; what() is the decoder's message, shown to the user as is.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace plumex {

class PictureError : public std::runtime_error {
public:
    explicit PictureError(const std::string& message) : std::runtime_error(message) {}
};

// The largest picture any decoder accepts: each side at most 65535 pixels and at most 2^28
// pixels (1 GiB of colours) in all. Decoders check this before they allocate the pixels.
inline constexpr int64_t MaxPictureSide = 65535;
inline constexpr int64_t MaxPicturePixels = int64_t{1} << 28;

inline void checkPictureSize(int64_t width, int64_t height) {
    if (width < 1 || height < 1) throw PictureError("Image has no pixels");
    if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels)
        throw PictureError("Image too large (" + std::to_string(width) + " x " +
                           std::to_string(height) + ")");
}

} // namespace plumex
