#pragma once
// Whether a picture drawn at ratio 2 has detail of its own or is a 1x picture doubled.

#include <QImage>
#include <QRect>

namespace plumex::testing {

// 2x2 device blocks of a logical rectangle that are not one colour: none where a picture of
// logical pixels was pixel-doubled.
inline int mixedBlocks(const QImage& img, const QRect& logical) {
    int n = 0;
    for (int y = logical.top(); y <= logical.bottom(); ++y)
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QRgb a = img.pixel(2 * x, 2 * y);
            n += a != img.pixel(2 * x + 1, 2 * y) || a != img.pixel(2 * x, 2 * y + 1) ||
                 a != img.pixel(2 * x + 1, 2 * y + 1);
        }
    return n;
}

} // namespace plumex::testing
