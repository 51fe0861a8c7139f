#include "raster/Fade.h"

namespace plumex {

RasterImage fadedCopy(const RasterImage& image) {
    RasterImage out = image;
    for (Color& c : out.pixels) c = fadedColor(c);
    return out;
}

} // namespace plumex
