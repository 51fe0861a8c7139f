#include "canvas/qt/QImageSurface.h"

#include <QPainterPath>

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
    width = std::max(width, image_.width());
    height = std::max(height, image_.height());
    if (width == image_.width() && height == image_.height() && !image_.isNull()) return;
    QImage grown(std::max(width, 1), std::max(height, 1), QImage::Format_RGB888);
    grown.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(grown);
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
    withPainter([&](QPainter& p) {
        p.setPen(cosmeticPen(pen));
        p.drawPolyline(poly);
    });
}

void QImageSurface::polyBezier(std::span<const PixelPoint> points, Color pen) {
    if (points.size() < 4) return;
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x,
                     points[i + 2].y);
    withPainter([&](QPainter& p) { p.strokePath(path, cosmeticPen(pen)); });
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
    withPainter([&](QPainter& p) {
        p.setPen(pen ? cosmeticPen(*pen) : QPen(Qt::NoPen));
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

void QImageSurface::invertFrame(const PixelRect& r, BandShape shape) {
    if (r.width() <= 0 && r.height() <= 0) return;
    // The dotted outline as a mask, then every masked pixel inverted: twice restores.
    const int w = std::max(r.width(), 1) + 1;
    const int h = std::max(r.height(), 1) + 1;
    QImage mask(w, h, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter p(&mask);
        QPen pen(Qt::white);
        pen.setWidth(0);
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        if (shape == BandShape::Ellipse)
            p.drawEllipse(0, 0, w - 2, h - 2);
        else
            p.drawRect(0, 0, w - 2, h - 2);
    }
    endPainting();
    PixelRect area = intersect({r.left, r.top, r.left + w, r.top + h}, {0, 0, width(), height()});
    if (clip_) area = intersect(area, *clip_);
    for (int y = area.top; y < area.bottom; ++y) {
        const uchar* m = mask.constScanLine(y - r.top);
        uchar* row = image_.scanLine(y);
        for (int x = area.left; x < area.right; ++x)
            if (m[x - r.left])
                for (int k = 0; k < 3; ++k) row[3 * x + k] = uchar(255 - row[3 * x + k]);
    }
}

Color QImageSurface::pixel(PixelPoint p) const {
    if (p.x < 0 || p.y < 0 || p.x >= width() || p.y >= height()) return 0;
    endPainting();
    return fromQColor(QColor(image_.pixel(p.x, p.y)));
}

void QImageSurface::setPixel(PixelPoint p, Color c) {
    if (p.x < 0 || p.y < 0 || p.x >= width() || p.y >= height()) return;
    endPainting();
    image_.setPixelColor(p.x, p.y, toQColor(c));
}

std::unique_ptr<Surface> QImageSurface::createBuffer(int width, int height) const {
    auto s = std::make_unique<QImageSurface>(width, height);
    s->image_.fill(Qt::black);
    return s;
}

void QImageSurface::copyFrom(const Surface& source, const PixelRect& from, PixelPoint to) {
    const auto* q = dynamic_cast<const QImageSurface*>(&source);
    if (!q) return;
    q->endPainting();
    withPainter([&](QPainter& p) { p.drawImage(QPoint(to.x, to.y), q->image_, toQRect(from)); });
}

void QImageSurface::present(const PixelRect& r) {
    if (onPresent) onPresent(r);
}

} // namespace plumex
