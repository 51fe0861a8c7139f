#include "app/qt/CornerImages.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace plumex {
namespace {

constexpr int GlyphSize = 32; // logical pixels
constexpr Color transparentKey = 0x00FF00FF;

// A 6 x 6 handle mark with its top-left corner at logical (x, y): a white edge round a black
// square, both with rounded corners, drawn as shapes at `ratio` device pixels a logical one.
RasterImage glyphWithMark(int x, int y, qreal ratio) {
    const int side = static_cast<int>(std::lround(GlyphSize * ratio));
    QImage picture(side, side, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(ratio, ratio);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(x, y, 6, 6), 1.5, 1.5);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(x + 1, y + 1, 4, 4), 0.75, 0.75);
    }
    // The canvas keys one colour out: a pixel is the mark's where the shape covers half of it.
    RasterImage image{side, side, std::vector<Color>(static_cast<std::size_t>(side) * side),
                      transparentKey};
    for (int j = 0; j < side; ++j) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(j));
        for (int i = 0; i < side; ++i) {
            // Format_ARGB32 holds the colour apart from its coverage.
            const auto grey = static_cast<Color>(qRed(row[i]));
            image.pixels[static_cast<std::size_t>(j) * side + i] =
                qAlpha(row[i]) < 128 ? transparentKey : grey | grey << 8 | grey << 16;
        }
    }
    return image;
}

} // namespace

std::vector<RasterImage> cornerImages(qreal ratio) {
    if (!(ratio > 0) || !std::isfinite(ratio) || ratio > 8) ratio = 1;
    // The selection's corner falls on (11, 11), (21, 11), (21, 21) and (11, 21) of glyphs 0-3;
    // glyph 4 sits 12 pixels above the top edge or 3 below the bottom, glyph 5 likewise sideways.
    return {glyphWithMark(3, 3, ratio),  glyphWithMark(23, 3, ratio), glyphWithMark(23, 23, ratio),
            glyphWithMark(3, 23, ratio), glyphWithMark(13, 4, ratio), glyphWithMark(4, 13, ratio)};
}

} // namespace plumex
