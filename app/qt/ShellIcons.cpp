#include "app/qt/ShellIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <functional>

namespace plumex {
namespace {

QPixmap canvas(int w, int h, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

// A picture from the icon files, rendered for each common screen density so that a
// high-density screen gets real pixels instead of doubled ones.
QIcon svgIcon(const QString& file, QSize size) {
    QSvgRenderer renderer(QStringLiteral(":/icons/") + file);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        QPixmap pixmap((QSizeF(size) * ratio).toSize());
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            renderer.render(&p);
        }
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon toolIcon(int tool) {
    static const char* const files[] = {"tool-object.svg",    "tool-anchor.svg",  "tool-pen.svg",
                                        "tool-rectangle.svg", "tool-ellipse.svg", nullptr,
                                        "tool-zoom.svg"};
    if (tool < 0 || tool > 6 || !files[tool]) return {};
    return svgIcon(QString::fromLatin1(files[tool]), QSize(20, 20));
}

QIcon optionIcon(int tag) {
    static const char* const files[] = {"option-rulers.svg",        "option-grid.svg",
                                        "option-snap-grid.svg",     nullptr,
                                        "option-guides.svg",        "option-snap-guides.svg",
                                        "option-lock-guides.svg",   "option-anchors.svg",
                                        "option-small-anchors.svg", "option-helper.svg",
                                        "option-draft.svg",         "option-draft-faded.svg"};
    if (tag < 1 || tag > 12 || !files[tag - 1]) return {};
    return svgIcon(QString::fromLatin1(files[tag - 1]), QSize(26, 16));
}

QPixmap earthPicture() {
    return canvas(16, 16, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 60, 140), 1));
        p.setBrush(QColor(80, 150, 230));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setBrush(QColor(60, 170, 70));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(4, 3, 5, 6));
        p.drawEllipse(QRectF(8, 8, 5, 5));
        p.setPen(QPen(QColor(20, 60, 140), 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1, 6, 14));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
    });
}

QIcon programIcon() {
    return QIcon(canvas(48, 48, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 70, 130));
        p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
        QPainterPath curve;
        curve.moveTo(9, 36);
        curve.cubicTo(12, 6, 36, 42, 39, 12);
        p.setPen(QPen(Qt::white, 3));
        p.drawPath(curve);
        p.setPen(QPen(QColor(255, 200, 60), 1.5));
        p.drawLine(QPointF(9, 36), QPointF(12, 6));
        p.drawLine(QPointF(39, 12), QPointF(36, 42));
        p.setBrush(QColor(255, 200, 60));
        for (QPointF c : {QPointF(9, 36), QPointF(39, 12)})
            p.drawRect(QRectF(c.x() - 3, c.y() - 3, 6, 6));
    }));
}

} // namespace plumex
