#include "app/qt/ShellIcons.h"

#include <QPainter>
#include <QPainterPath>

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

QPolygonF arrowShape(double x, double y) {
    return QPolygonF({{x, y},
                      {x, y + 14},
                      {x + 3.5, y + 10.5},
                      {x + 6, y + 15.5},
                      {x + 8, y + 14.5},
                      {x + 5.5, y + 9.5},
                      {x + 10, y + 9.5}});
}

void drawTool(QPainter& p, int tool) {
    p.setPen(QPen(Qt::black, 1.2));
    switch (tool) {
    case 0: // object: black arrow
        p.setBrush(Qt::black);
        p.drawPolygon(arrowShape(5, 2));
        break;
    case 1: // anchor point: white arrow
        p.setBrush(Qt::white);
        p.drawPolygon(arrowShape(5, 2));
        break;
    case 2: { // pen nib
        QPainterPath nib;
        nib.moveTo(10, 2);
        nib.lineTo(15, 11);
        nib.lineTo(10, 17);
        nib.lineTo(5, 11);
        nib.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(nib);
        p.drawLine(QPointF(10, 2), QPointF(10, 11));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(10, 11), 1.3, 1.3);
        p.drawRect(QRectF(7, 17, 6, 2));
        break;
    }
    case 3:
        p.drawRect(QRectF(3, 5, 14, 10));
        break;
    case 4:
        p.drawEllipse(QRectF(2.5, 4.5, 15, 11));
        break;
    case 6: // magnifier
        p.setPen(QPen(Qt::black, 1.6));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.5, 12.5), QPointF(17, 17));
        break;
    default:
        break;
    }
}

void drawGrid(QPainter& p, bool snap) {
    p.setPen(QPen(QColor(0, 110, 210), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(4 + 5 * i, 2), QPointF(4 + 5 * i, 14));
        p.drawLine(QPointF(2, 3 + 4 * i), QPointF(22, 3 + 4 * i));
    }
    if (snap) {
        p.setBrush(Qt::red);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(14, 7), 2.5, 2.5);
    }
}

void drawGuides(QPainter& p, int kind) {
    p.setPen(QPen(QColor(0, 160, 160), 1.2));
    p.drawLine(QPointF(9, 1), QPointF(9, 15));
    p.drawLine(QPointF(2, 9), QPointF(24, 9));
    if (kind == 1) {
        p.setBrush(Qt::red);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(9, 9), 2.5, 2.5);
    } else if (kind == 2) { // padlock
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(15, 2, 6, 7), 0, 180 * 16);
        p.setBrush(QColor(200, 160, 40));
        p.drawRect(QRectF(14, 6, 8, 7));
    }
}

void drawOption(QPainter& p, int tag) {
    switch (tag) {
    case 1: // rulers
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(250, 240, 200));
        p.drawRect(QRectF(2.5, 4.5, 21, 7));
        for (int x = 5; x < 23; x += 3) p.drawLine(QPointF(x, 4.5), QPointF(x, x % 2 ? 9 : 7));
        break;
    case 2:
    case 3:
        drawGrid(p, tag == 3);
        break;
    case 5:
    case 6:
    case 7:
        drawGuides(p, tag - 5);
        break;
    case 8:   // unselected anchors shown
    case 9: { // small anchors
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(3, 12), QPointF(23, 4));
        const double half = tag == 8 ? 2.5 : 1.5;
        p.setBrush(Qt::white);
        for (QPointF c : {QPointF(5, 11.2), QPointF(13, 8), QPointF(21, 4.8)})
            p.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
        break;
    }
    case 10: // selection helper
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(QRectF(5.5, 2.5, 15, 11));
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        for (QPointF c :
             {QPointF(5.5, 2.5), QPointF(20.5, 2.5), QPointF(5.5, 13.5), QPointF(20.5, 13.5)})
            p.drawRect(QRectF(c.x() - 1.5, c.y() - 1.5, 3, 3));
        break;
    case 11: // draft normal
    case 12: // draft faded
        p.setPen(Qt::NoPen);
        p.setBrush(tag == 11 ? QColor(60, 120, 60) : QColor(170, 200, 170));
        p.drawRect(QRectF(3, 2, 20, 12));
        p.setBrush(tag == 11 ? QColor(230, 200, 60) : QColor(240, 230, 180));
        p.drawEllipse(QPointF(17, 6), 2.5, 2.5);
        break;
    default:
        break;
    }
}

} // namespace

QIcon toolIcon(int tool) {
    if (tool == 5) return {};
    return QIcon(canvas(20, 20, [tool](QPainter& p) { drawTool(p, tool); }));
}

QIcon optionIcon(int tag) {
    if (tag == 4) return {};
    return QIcon(canvas(26, 16, [tag](QPainter& p) { drawOption(p, tag); }));
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
