#pragma once
// Client-area pixel positions: x to the right, y downward, (0, 0) at the top-left corner.

#include <algorithm>

namespace plumex {

struct PixelPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Half-open on the right and bottom, as window rectangles are: (left, top) is inside,
// (right, bottom) is not.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(PixelPoint p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The rectangle spanned by two corners in any order.
inline PixelRect normalized(const PixelRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

} // namespace plumex
