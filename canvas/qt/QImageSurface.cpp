#include "canvas/qt/QImageSurface.h"

#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace plumex {

QColor toQColor(Color c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

Color fromQColor(QColor c) {
    return Color(c.red()) | Color(c.green()) << 8 | Color(c.blue()) << 16;
}

namespace {

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

QPen cosmeticPen(Color c) {
    QPen pen(toQColor(c));
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QImage toQImage(const RasterImage& img) {
    const bool keyed = img.transparent.has_value();
    QImage out(img.width, img.height, keyed ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < img.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < img.width; ++x) {
            const Color c = img.at(x, y);
            const int alpha = keyed && c == *img.transparent ? 0 : 255;
            row[x] = qRgba(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, alpha);
        }
    }
    return out;
}

} // namespace

QImageSurface::~QImageSurface() = default;

QImageSurface::QImageSurface(int width, int height) {
    ensureSize(width, height);
}

void QImageSurface::ensureSize(int width, int height) {
    endPainting();
    width = std::max({width, width_, 1});
    height = std::max({height, height_, 1});
    if (width == width_ && height == height_ && !image_.isNull()) return;
    QImage grown(qCeil(width * ratio_), qCeil(height * ratio_), QImage::Format_RGB888);
    grown.setDevicePixelRatio(ratio_);
    grown.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(grown);
    width_ = width;
    height_ = height;
}

void QImageSurface::setDevicePixelRatio(qreal ratio) {
    if (!(ratio > 0) || !std::isfinite(ratio)) ratio = 1;
    if (ratio == ratio_) return;
    endPainting();
    ratio_ = ratio;
    const int w = width_;
    const int h = height_;
    image_ = QImage();
    width_ = height_ = 0;
    ensureSize(w, h);
}

QRectF QImageSurface::deviceRect(const QRect& logical) const {
    return QRectF(logical.x() * ratio_, logical.y() * ratio_, logical.width() * ratio_,
                  logical.height() * ratio_);
}

int QImageSurface::deviceStart(int logical) const {
    return qFloor(logical * ratio_ + 1e-9);
}

bool QImageSurface::scroll(const QRect& area, int dx, int dy) {
    // A shift by part of a device pixel cannot move pixels: the area is painted afresh.
    const qreal ddx = dx * ratio_, ddy = dy * ratio_;
    if (ddx != std::round(ddx) || ddy != std::round(ddy)) return false;
    const QImage copy = image().copy(deviceRect(area).toAlignedRect());
    withPainter([&](QPainter& p) {
        p.save();
        p.setClipRect(area);
        p.drawImage(QPointF(area.topLeft() + QPoint(dx, dy)), copy);
        p.restore();
    });
    return true;
}

void QImageSurface::rescale(const QRect& area, double factor, QPointF shift, Color background) {
    const QRect device = deviceRect(area).toAlignedRect().intersected(image_.rect());
    if (device.isEmpty()) return;
    const QImage copy = image().copy(device);
    const QRectF from(area.topLeft(), QSizeF(device.size()) / ratio_);
    const QRectF to(from.topLeft() * factor + shift, from.size() * factor);
    withPainter([&](QPainter& p) {
        p.save();
        p.setClipRect(area);
        p.fillRect(area, toQColor(background));
        // Shrunk by sampling, lines one pixel wide would drop out.
        p.setRenderHint(QPainter::SmoothPixmapTransform, factor < 1);
        p.drawImage(to, copy);
        p.restore();
    });
}

QPen QImageSurface::strokePen(Color c) const {
    if (ratio_ == 1) return cosmeticPen(c);
    // One logical pixel wide, like the line of a single pixel on an ordinary screen.
    QPen pen(toQColor(c), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void QImageSurface::stroke(const std::function<void(QPainter&)>& draw) {
    withPainter([&](QPainter& p) {
        if (ratio_ == 1) {
            draw(p);
            return;
        }
        // A one-pixel pen at integer points covers the pixels right of and below them; a
        // logical-pixel-wide pen does the same when it runs through the pixels' centres.
        p.save();
        p.translate(0.5, 0.5);
        draw(p);
        p.restore();
    });
}

void QImageSurface::withPainter(const std::function<void(QPainter&)>& draw) {
    draw(painter());
}

QPainter& QImageSurface::painter() {
    // One painter stays open across calls: opening one per primitive costs more than drawing.
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        if (clip_) painter_->setClipRect(toQRect(*clip_));
    }
    return *painter_;
}

void QImageSurface::endPainting() const {
    painter_.reset();
}

void QImageSurface::setClip(std::optional<PixelRect> r) {
    clip_ = r;
    if (!painter_) return;
    if (r)
        painter_->setClipRect(toQRect(*r));
    else
        painter_->setClipping(false);
}

void QImageSurface::fillRect(const PixelRect& r, Color c) {
    withPainter([&](QPainter& p) { p.fillRect(toQRect(r), toQColor(c)); });
}

void QImageSurface::line(PixelPoint from, PixelPoint to, Color pen) {
    // The end pixel is left out; straight runs become rectangles, which is exact and fast.
    if (from.y == to.y) {
        if (from.x <= to.x)
            fillRect({from.x, from.y, to.x, from.y + 1}, pen);
        else
            fillRect({to.x + 1, from.y, from.x + 1, from.y + 1}, pen);
        return;
    }
    if (from.x == to.x) {
        if (from.y < to.y)
            fillRect({from.x, from.y, from.x + 1, to.y}, pen);
        else
            fillRect({from.x, to.y + 1, from.x + 1, from.y + 1}, pen);
        return;
    }
    const PixelPoint pts[2] = {from, to};
    polyline(pts, pen);
}

void QImageSurface::polyline(std::span<const PixelPoint> points, Color pen) {
    if (points.size() < 2) return;
    QPolygon poly(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i) poly.setPoint(int(i), points[i].x, points[i].y);
    stroke([&](QPainter& p) {
        p.setPen(strokePen(pen));
        p.drawPolyline(poly);
    });
}

void QImageSurface::polyBezier(std::span<const PixelPoint> points, Color pen) {
    if (points.size() < 4) return;
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x,
                     points[i + 2].y);
    stroke([&](QPainter& p) { p.strokePath(path, strokePen(pen)); });
}

void QImageSurface::rectangle(const PixelRect& r, std::optional<Color> pen,
                              std::optional<Color> fill) {
    if (r.empty()) return;
    withPainter([&](QPainter& p) {
        if (fill) p.fillRect(toQRect(r), toQColor(*fill));
        if (pen) {
            const QColor c = toQColor(*pen);
            p.fillRect(QRect(r.left, r.top, r.width(), 1), c);
            p.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), c);
            p.fillRect(QRect(r.left, r.top, 1, r.height()), c);
            p.fillRect(QRect(r.right - 1, r.top, 1, r.height()), c);
        }
    });
}

void QImageSurface::ellipse(const PixelRect& r, std::optional<Color> pen,
                            std::optional<Color> fill) {
    if (r.empty()) return;
    stroke([&](QPainter& p) {
        p.setPen(pen ? strokePen(*pen) : QPen(Qt::NoPen));
        p.setBrush(fill ? QBrush(toQColor(*fill)) : QBrush(Qt::NoBrush));
        p.drawEllipse(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
        p.setBrush(Qt::NoBrush);
    });
}

void QImageSurface::text(PixelPoint at, std::string_view text, const FontSpec& font, Color c) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(std::max(font.height, 1));
    f.setBold(font.bold);
    f.setStyleStrategy(QFont::NoAntialias);
    withPainter([&](QPainter& p) {
        p.save();
        p.setFont(f);
        p.setPen(toQColor(c));
        p.translate(at.x, at.y);
        p.rotate(-font.escapement / 10.0);
        p.drawText(QRect(0, 0, 4096, 4096), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromUtf8(text.data(), qsizetype(text.size())));
        p.restore();
    });
}

void QImageSurface::drawImage(const PixelRect& dest, const RasterImage& image) {
    if (dest.empty() || image.width <= 0 || image.height <= 0) return;
    PixelRect visible = intersect(dest, {0, 0, width(), height()});
    if (clip_) visible = intersect(visible, *clip_);
    if (visible.empty()) return;
    // Only the part of the picture that shows is scaled, however large the target is.
    const double kx = double(image.width) / dest.width();
    const double ky = double(image.height) / dest.height();
    const QRectF source((visible.left - dest.left) * kx, (visible.top - dest.top) * ky,
                        visible.width() * kx, visible.height() * ky);
    const QImage q = toQImage(image);
    withPainter([&](QPainter& p) { p.drawImage(QRectF(toQRect(visible)), q, source); });
}

void QImageSurface::overlay(const PixelRect& dest, const std::uint8_t* indices, int stride,
                            std::span<const Color> palette) {
    if (ratio_ != 1 || image_.format() != QImage::Format_RGB888)
        return Surface::overlay(dest, indices, stride, palette);
    PixelRect v = intersect(dest, {0, 0, width(), height()});
    if (clip_) v = intersect(v, *clip_);
    if (v.empty()) return;
    // Written into the buffer's rows as they are: no picture of the layer is made.
    endPainting();
    for (int y = v.top; y < v.bottom; ++y) {
        const std::uint8_t* from =
            indices + static_cast<std::ptrdiff_t>(y - dest.top) * stride + (v.left - dest.left);
        uchar* to = image_.scanLine(y) + static_cast<std::ptrdiff_t>(3) * v.left;
        for (int x = 0; x < v.width(); ++x, to += 3) {
            const std::uint8_t i = from[x];
            if (!i) continue;
            const Color c = palette[i];
            to[0] = static_cast<uchar>(c & 0xFF);
            to[1] = static_cast<uchar>((c >> 8) & 0xFF);
            to[2] = static_cast<uchar>((c >> 16) & 0xFF);
        }
    }
}

void QImageSurface::invertFrame(const PixelRect& r, BandShape shape) {
    if (r.width() <= 0 && r.height() <= 0) return;
    // The dotted outline as a mask in device pixels, then every masked pixel inverted: twice
    // restores.
    const int w = std::max(r.width(), 1) + 1;
    const int h = std::max(r.height(), 1) + 1;
    const int left = deviceStart(r.left);
    const int top = deviceStart(r.top);
    QImage mask(qCeil(w * ratio_) + 1, qCeil(h * ratio_) + 1, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.scale(ratio_, ratio_);
        QPen pen(Qt::white);
        pen.setWidth(0);
        if (ratio_ != 1) {
            pen.setWidthF(1.0);
            p.translate(0.5, 0.5);
        }
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        if (shape == BandShape::Ellipse)
            p.drawEllipse(0, 0, w - 2, h - 2);
        else
            p.drawRect(0, 0, w - 2, h - 2);
    }
    endPainting();
    QRect area = QRect(left, top, mask.width(), mask.height()).intersected(image_.rect());
    if (clip_) area = area.intersected(deviceRect(toQRect(*clip_)).toAlignedRect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* m = mask.constScanLine(y - top);
        uchar* row = image_.scanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            if (m[x - left])
                for (int k = 0; k < 3; ++k) row[3 * x + k] = uchar(255 - row[3 * x + k]);
    }
}

Color QImageSurface::pixel(PixelPoint p) const {
    if (p.x < 0 || p.y < 0 || p.x >= width() || p.y >= height()) return 0;
    endPainting();
    // The device pixel under the logical pixel's centre.
    const int x = std::min(qFloor((p.x + 0.5) * ratio_), image_.width() - 1);
    const int y = std::min(qFloor((p.y + 0.5) * ratio_), image_.height() - 1);
    return fromQColor(QColor(image_.pixel(x, y)));
}

void QImageSurface::setPixel(PixelPoint p, Color c) {
    if (p.x < 0 || p.y < 0 || p.x >= width() || p.y >= height()) return;
    if (ratio_ != 1) {
        fillRect({p.x, p.y, p.x + 1, p.y + 1}, c);
        return;
    }
    endPainting();
    image_.setPixelColor(p.x, p.y, toQColor(c));
}

std::unique_ptr<Surface> QImageSurface::createBuffer(int width, int height) const {
    auto s = std::make_unique<QImageSurface>();
    s->setDevicePixelRatio(ratio_);
    s->ensureSize(width, height);
    s->image_.fill(Qt::black);
    return s;
}

void QImageSurface::copyFrom(const Surface& source, const PixelRect& from, PixelPoint to) {
    const auto* q = dynamic_cast<const QImageSurface*>(&source);
    if (!q) return;
    q->endPainting();
    const QRectF target(to.x, to.y, from.width(), from.height());
    withPainter([&](QPainter& p) { p.drawImage(target, q->image_, q->deviceRect(toQRect(from))); });
}

void QImageSurface::present(const PixelRect& r) {
    if (onPresent) onPresent(r);
}

} // namespace plumex
