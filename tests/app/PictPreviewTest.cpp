#include "app/PictPreview.h"

#include <gtest/gtest.h>

using namespace plumex;

TEST(PictPreview, ThumbnailKeepsSmallPicturesAndReducesLargeOnes) {
    const ThumbnailSize small = thumbnailSize(100, 50);
    EXPECT_EQ(small.width, 100);
    EXPECT_EQ(small.height, 50);
    EXPECT_FALSE(small.reduced);
    EXPECT_EQ(thumbnailLeft(small), 31);
    EXPECT_EQ(thumbnailTop(small), 56);
    const ThumbnailSize wide = thumbnailSize(640, 480);
    EXPECT_EQ(wide.width, 160);
    EXPECT_EQ(wide.height, 120);
    // (other x 160) div longer, rounded down; one side over the box is enough.
    const ThumbnailSize tall = thumbnailSize(100, 3001);
    EXPECT_EQ(tall.width, 5);
    EXPECT_EQ(tall.height, 160);
    EXPECT_TRUE(tall.reduced);
    EXPECT_EQ(thumbnailLeft(tall), 78);
    // Sizes whose product overflows an int are still divided correctly.
    EXPECT_EQ(thumbnailSize(65535, 60000).height, 146);
}

TEST(PictPreview, SizeLabelGroupsThousands) {
    EXPECT_EQ(pictureSizeText(640, 480), "640x480");
    EXPECT_EQ(pictureSizeText(4000, 1234567), "4,000x1,234,567");
}

TEST(PictPreview, FieldsShowTheLongerSideAsOne) {
    const SizeFields tall = sizeFieldsFor(480, 640);
    EXPECT_EQ(tall.x, "0.75");
    EXPECT_EQ(tall.y, "1");
    EXPECT_DOUBLE_EQ(tall.width, 0.75);
    const SizeFields small = sizeFieldsFor(100, 50);
    EXPECT_EQ(small.x, "1");
    EXPECT_EQ(small.y, "0.5");
    EXPECT_DOUBLE_EQ(sizeFieldsFor(640, 480).width, 1.0);
}

TEST(PictPreview, WidthAndHeightFollowEachOther) {
    const SizeFields start = sizeFieldsFor(640, 480);
    const std::optional<SizeFields> two = widthTyped("2", start, 640, 480);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->y, "1.5");
    EXPECT_DOUBLE_EQ(two->width, 2.0);
    const std::optional<SizeFields> back = heightTyped("3", *two, 640, 480);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, "4");
    EXPECT_DOUBLE_EQ(back->width, 4.0);
    EXPECT_FALSE(widthTyped("", start, 640, 480));
    EXPECT_FALSE(widthTyped("1.2.3", start, 640, 480));
    EXPECT_FALSE(heightTyped("2", start, 0, 0));
    // Without a previewed picture the typed width is still the one used.
    const std::optional<SizeFields> blind = widthTyped("3", start, 0, 0);
    ASSERT_TRUE(blind);
    EXPECT_DOUBLE_EQ(blind->width, 3.0);
    EXPECT_EQ(blind->y, start.y);
}
