#include "trace/TraceBitmap.h"

#include <potracelib.h>

#include <climits>
#include <memory>
#include <stdexcept>

namespace plumex {
namespace {

constexpr int WordBits = static_cast<int>(sizeof(potrace_word) * CHAR_BIT);
constexpr potrace_word TopBit = potrace_word{1} << (WordBits - 1);

} // namespace

TraceBitmap::TraceBitmap(int width, int height) : bitmap_(std::make_unique<potrace_bitmap_s>()) {
    // The tracer counts areas and offsets in int, so keep well inside that.
    if (width < 0 || height < 0 ||
        static_cast<long long>(width) * height > (static_cast<long long>(1) << 30))
        throw std::length_error("Picture too large to trace");
    const int dy = (width + WordBits - 1) / WordBits;
    words_.assign(static_cast<std::size_t>(dy) * static_cast<std::size_t>(height), 0);
    bitmap_->w = width;
    bitmap_->h = height;
    bitmap_->dy = dy;
    bitmap_->map = words_.data();
}

// The words' buffer moves with the vector, so the tracer's pointer stays right.
TraceBitmap::TraceBitmap(TraceBitmap&&) noexcept = default;
TraceBitmap& TraceBitmap::operator=(TraceBitmap&&) noexcept = default;
TraceBitmap::~TraceBitmap() = default;

int TraceBitmap::width() const {
    return bitmap_->w;
}

int TraceBitmap::height() const {
    return bitmap_->h;
}

void TraceBitmap::set(int x, int y) {
    words_[static_cast<std::size_t>(y) * bitmap_->dy + x / WordBits] |= TopBit >> (x % WordBits);
}

bool TraceBitmap::get(int x, int y) const {
    return (words_[static_cast<std::size_t>(y) * bitmap_->dy + x / WordBits] &
            (TopBit >> (x % WordBits))) != 0;
}

bool TraceBitmap::empty() const {
    for (potrace_word w : words_)
        if (w) return false;
    return true;
}

int brightnessOf(const RasterImage& image, Color c) {
    if (image.transparent && c == *image.transparent) return 255;
    return (redOf(c) * 299 + greenOf(c) * 587 + blueOf(c) * 114 + 500) / 1000;
}

TraceBitmap darkPixels(const RasterImage& image, int threshold, bool invert,
                       const std::function<bool()>& keepGoing) {
    TraceBitmap bitmap(image.width, image.height);
    if (image.pixels.size() !=
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("Picture size does not match its pixels");
    for (int y = 0; y < image.height; ++y) {
        if (keepGoing && y % 64 == 0 && !keepGoing()) return TraceBitmap(0, 0);
        for (int x = 0; x < image.width; ++x) {
            const bool dark = brightnessOf(image, image.at(x, y)) < threshold;
            if (dark != invert) bitmap.set(x, y);
        }
    }
    return bitmap;
}

} // namespace plumex
