#include "raster/PictureLoader.h"
#include "raster/PictureError.h"

#include <gtest/gtest.h>

namespace plumex {
namespace {

TEST(PictureLoader, FormatFollowsTheExtension) {
    EXPECT_EQ(pictureFormatOf("/a/b.PNG"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatOf("x.jpe"), PictureFormat::Jpeg);
    EXPECT_EQ(pictureFormatOf("x.Jpeg"), PictureFormat::Jpeg);
    EXPECT_EQ(pictureFormatOf("x.bmp"), PictureFormat::Bmp);
    EXPECT_EQ(pictureFormatOf("x.gif"), PictureFormat::Unknown);
    EXPECT_EQ(pictureFormatOf("pictures.png/readme"), PictureFormat::Unknown);
}

TEST(PictureLoader, LoadsEachKindAndReportsWhatFails) {
    EXPECT_EQ(loadPicture(PLUMEX_TEST_DATA "/picture/pil24.bmp").width, 37);
    EXPECT_EQ(loadPicture(PLUMEX_TEST_DATA "/picture/baseline.jpg").height, 29);
    EXPECT_EQ(loadPicture(PLUMEX_TEST_DATA "/png/t2d16.png").width, 37);
    EXPECT_THROW(loadPicture(PLUMEX_TEST_DATA "/picture/missing.png"), PictureError);
    EXPECT_THROW(loadPicture(PLUMEX_TEST_DATA "/picture/make-corpus.sh"), PictureError);
    try {
        // A BMP named as PNG goes to the PNG reader, which says so.
        decodePicture(PictureFormat::Png, std::vector<uint8_t>{'B', 'M', 0, 0});
        ADD_FAILURE();
    } catch (const PictureError& e) {
        EXPECT_STREQ(e.what(), "Not PNG Image");
    }
}

} // namespace
} // namespace plumex
