#pragma once
// The paint buffer on a QImage (24 bits per pixel), drawn with QPainter without
// antialiasing so that pixels follow the integer view mapping exactly.
//
// On a high-density screen the buffer holds device pixels (devicePixelRatio per logical
// pixel in each direction) while the canvas keeps drawing in logical pixels: squares, line
// widths and hit tolerances keep their logical sizes and only the rasterising gets finer.

#include "canvas/Surface.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

namespace plumex {

class QImageSurface : public Surface {
public:
    QImageSurface(int width = 0, int height = 0);
    ~QImageSurface() override;
    QImageSurface(const QImageSurface&) = delete;
    QImageSurface& operator=(const QImageSurface&) = delete;

    // Grows the buffer to at least this size (logical pixels), keeping its pixels; it never
    // shrinks.
    void ensureSize(int width, int height);
    // Device pixels per logical pixel. A change starts a new white buffer of the same logical
    // size: everything has to be painted again.
    void setDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }
    // The device pixels of a logical rectangle (what to copy from image()).
    QRectF deviceRect(const QRect& logical) const;
    // Moves the pixels inside `area` by (dx, dy) logical pixels; what moves out is lost. False
    // (nothing moved) when that is no whole number of device pixels.
    bool scroll(const QRect& area, int dx, int dy);
    // Redraws the pixels inside `area` scaled: what was at logical point p goes to
    // p * factor + shift, and what nothing covers then is filled with `background`.
    void rescale(const QRect& area, double factor, QPointF shift, Color background);
    // The pixels; any drawing in progress is finished first.
    const QImage& image() const {
        endPainting();
        return image_;
    }
    // Called by present(); unset: present does nothing.
    std::function<void(const PixelRect&)> onPresent;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void setClip(std::optional<PixelRect> r) override;
    void fillRect(const PixelRect& r, Color c) override;
    void line(PixelPoint from, PixelPoint to, Color pen) override;
    void polyline(std::span<const PixelPoint> points, Color pen) override;
    void polyBezier(std::span<const PixelPoint> points, Color pen) override;
    void rectangle(const PixelRect& r, std::optional<Color> pen,
                   std::optional<Color> fill) override;
    void ellipse(const PixelRect& r, std::optional<Color> pen, std::optional<Color> fill) override;
    void text(PixelPoint at, std::string_view text, const FontSpec& font, Color c) override;
    void drawImage(const PixelRect& dest, const RasterImage& image) override;
    void overlay(const PixelRect& dest, const std::uint8_t* indices, int stride,
                 std::span<const Color> palette) override;
    void invertFrame(const PixelRect& r, BandShape shape) override;
    Color pixel(PixelPoint p) const override;
    void setPixel(PixelPoint p, Color c) override;
    std::unique_ptr<Surface> createBuffer(int width, int height) const override;
    void copyFrom(const Surface& source, const PixelRect& from, PixelPoint to) override;
    void present(const PixelRect& r) override;

    // The buffer's QPainter with the current clip, antialiasing off; it stays open until
    // pixels are read or written directly.
    QPainter& painter();
    void withPainter(const std::function<void(QPainter&)>& draw);
    void endPainting() const;

private:
    // The first device pixel of a logical coordinate.
    int deviceStart(int logical) const;
    // Lines are one logical pixel wide at any density.
    QPen strokePen(Color c) const;
    void stroke(const std::function<void(QPainter&)>& draw);

    QImage image_;
    int width_ = 0;
    int height_ = 0;
    qreal ratio_ = 1;
    std::optional<PixelRect> clip_;
    mutable std::unique_ptr<QPainter> painter_;
};

// 0x00BBGGRR to QColor and back.
QColor toQColor(Color c);
Color fromQColor(QColor c);

} // namespace plumex
