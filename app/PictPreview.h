#pragma once
// The draft dialog's preview rules without widgets: the thumbnail's size and place in the
// 160 x 160 box, the size label, and the linked width and height fields.

#include <optional>
#include <string>

namespace plumex {

inline constexpr int PreviewBox = 160;

struct ThumbnailSize {
    int width = 0;
    int height = 0;
    bool reduced = false; // the picture was larger than the box
};

// The longer side becomes 160 when either side is larger, the other in proportion.
ThumbnailSize thumbnailSize(int pictureWidth, int pictureHeight);
// Upper-left corner of the thumbnail in the paint box's 1-pixel frame.
int thumbnailLeft(const ThumbnailSize& t);
int thumbnailTop(const ThumbnailSize& t);

// "1,280x1,024": whole numbers with thousands separators.
std::string pictureSizeText(int pictureWidth, int pictureHeight);

// The texts of the two size fields and the width (in drawing units) they stand for.
struct SizeFields {
    std::string x;
    std::string y;
    double width = 1.0;
};

// Fields for a newly previewed picture: the longer side reads 1.
SizeFields sizeFieldsFor(int pictureWidth, int pictureHeight);

// A new width typed: the width and the height text that follows it. Text that is not a number
// changes nothing; without a picture size only the width follows.
std::optional<SizeFields> widthTyped(const std::string& text, const SizeFields& now,
                                     int pictureWidth, int pictureHeight);
// A new height typed: the width and its text follow; nothing without a picture size.
std::optional<SizeFields> heightTyped(const std::string& text, const SizeFields& now,
                                      int pictureWidth, int pictureHeight);

} // namespace plumex
