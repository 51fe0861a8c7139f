#include "raster/Fade.h"

#include <gtest/gtest.h>

namespace plumex {
namespace {

TEST(Fade, ChannelsMoveTwoThirdsTowardWhite) {
    EXPECT_EQ(fadedColor(rgbColor(255, 255, 255)), rgbColor(255, 255, 255));
    EXPECT_EQ(fadedColor(rgbColor(0, 0, 0)), rgbColor(170, 170, 170));
    // 255 - (255 - 30) div 3 = 180, per channel independently.
    EXPECT_EQ(fadedColor(rgbColor(30, 0, 255)), rgbColor(180, 170, 255));
}

TEST(Fade, CopyKeepsSizeAndTransparency) {
    RasterImage image{2, 1, {rgbColor(0, 0, 0), rgbColor(30, 30, 30)}, rgbColor(1, 2, 3)};
    const RasterImage faded = fadedCopy(image);
    EXPECT_EQ(faded.width, 2);
    EXPECT_EQ(faded.pixels[1], rgbColor(180, 180, 180));
    EXPECT_EQ(faded.transparent, image.transparent);
}

} // namespace
} // namespace plumex
