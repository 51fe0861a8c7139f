// Any bytes given to the BMP reader must decode or fail with its message, never crash or hang.

#include "raster/BmpReader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace plumex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        // A smaller pixel bound than the program's keeps each run inside the fuzzer's memory.
        const RasterImage image = readBmp(std::span(data, size), int64_t{1} << 22);
        if (image.width < 1 || image.height < 1 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height))
            std::abort();
        for (Color c : image.pixels)
            if (c > 0xFFFFFF) std::abort();
    } catch (const PictureError&) {
    }
    return 0;
}
