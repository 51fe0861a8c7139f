#include "app/PictPreview.h"

#include "app/NumberText.h"

#include <algorithm>

namespace plumex {

ThumbnailSize thumbnailSize(int w, int h) {
    if (w <= PreviewBox && h <= PreviewBox) return {w, h, false};
    if (w >= h) return {PreviewBox, int(int64_t(h) * PreviewBox / w), true};
    return {int(int64_t(w) * PreviewBox / h), PreviewBox, true};
}

int thumbnailLeft(const ThumbnailSize& t) {
    return (PreviewBox - t.width) / 2 + 1;
}

int thumbnailTop(const ThumbnailSize& t) {
    return (PreviewBox - t.height) / 2 + 1;
}

namespace {

std::string grouped(int value) {
    std::string digits = std::to_string(value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(size_t(i), ",");
    return digits;
}

} // namespace

std::string pictureSizeText(int w, int h) {
    return grouped(w) + "x" + grouped(h);
}

SizeFields sizeFieldsFor(int w, int h) {
    if (w <= 0 || h <= 0) return {};
    const ThumbnailSize t = thumbnailSize(w, h);
    SizeFields f;
    if (t.reduced) {
        f.x = formatDecimal(t.width * 0.00625);
        f.y = formatDecimal(t.height * 0.00625);
    } else {
        const double longer = std::max(w, h);
        f.x = formatDecimal(w / longer);
        f.y = formatDecimal(h / longer);
    }
    f.width = parseDecimal(f.x).value_or(1.0);
    return f;
}

std::optional<SizeFields> widthTyped(const std::string& text, const SizeFields& now, int w, int h) {
    const std::optional<double> width = parseDecimal(text);
    if (!width) return std::nullopt;
    SizeFields f{text, now.y, *width};
    if (w > 0 && h > 0) f.y = formatDecimal(*width * h / w);
    return f;
}

std::optional<SizeFields> heightTyped(const std::string& text, const SizeFields&, int w, int h) {
    const std::optional<double> height = parseDecimal(text);
    if (!height || w <= 0 || h <= 0) return std::nullopt;
    const double width = double(w) * *height / h;
    return SizeFields{formatDecimal(width), text, width};
}

} // namespace plumex
