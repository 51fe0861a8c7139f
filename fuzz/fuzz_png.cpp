// Any bytes given to the PNG reader must decode or fail with its message, never crash or hang.

#include "raster/PictureError.h"
#include "raster/PngReader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace plumex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Headers of huge pictures are refused or decoded the same way as small ones; skipping
    // them keeps each run inside the fuzzer's memory limit.
    if (size >= 24) {
        const uint64_t w = uint64_t(data[16]) << 24 | data[17] << 16 | data[18] << 8 | data[19];
        const uint64_t h = uint64_t(data[20]) << 24 | data[21] << 16 | data[22] << 8 | data[23];
        if (w * h > (uint64_t{1} << 22)) return 0;
    }
    try {
        const RasterImage image = readPng(std::span(data, size));
        if (image.width < 1 || image.height < 1 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height))
            std::abort();
        for (Color c : image.pixels)
            if (c > 0xFFFFFF) std::abort();
    } catch (const PictureError&) {
    }
    return 0;
}
