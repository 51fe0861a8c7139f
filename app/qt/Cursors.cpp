#include "app/qt/Cursors.h"

#include "canvas/qt/CanvasWidget.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace plumex {
namespace {

// Black lines with a white halo, so the cursor shows on any background.
void stroke(QPainter& p, const QPainterPath& path) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    p.drawPath(path);
}

QPainterPath crossAt(QPointF c, double arm) {
    QPainterPath path;
    path.moveTo(c.x() - arm, c.y());
    path.lineTo(c.x() + arm, c.y());
    path.moveTo(c.x(), c.y() - arm);
    path.lineTo(c.x(), c.y() + arm);
    return path;
}

QPainterPath arrow() {
    QPainterPath path;
    path.moveTo(1, 1);
    path.lineTo(1, 17);
    path.lineTo(5.5, 13);
    path.lineTo(9, 20);
    path.lineTo(11, 19);
    path.lineTo(8, 12);
    path.lineTo(13, 12);
    path.closeSubpath();
    return path;
}

QPainterPath nib(double x, double y) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 5, y + 9);
    path.lineTo(x + 11, y + 9);
    path.lineTo(x + 9, y + 3);
    path.closeSubpath();
    return path;
}

void drawShape(QPainter& p, CursorShape shape) {
    const QPointF centre(15.5, 15.5);
    switch (shape) {
    case CursorShape::Snap: // cross with a small square: the point will snap
        stroke(p, crossAt(centre, 8));
        p.drawRect(QRectF(12.5, 12.5, 6, 6));
        break;
    case CursorShape::SelLine:
        p.setBrush(Qt::black);
        p.setPen(QPen(Qt::white, 1));
        p.drawPath(arrow());
        break;
    case CursorShape::PenTool:
    case CursorShape::SnapPen:
        stroke(p, nib(1, 1));
        if (shape == CursorShape::SnapPen) stroke(p, crossAt(QPointF(22, 22), 5));
        break;
    case CursorShape::Rect:
    case CursorShape::Ellipse: {
        stroke(p, crossAt(QPointF(7.5, 7.5), 6));
        QPainterPath outline;
        if (shape == CursorShape::Rect)
            outline.addRect(QRectF(15.5, 15.5, 12, 9));
        else
            outline.addEllipse(QRectF(15.5, 15.5, 12, 9));
        stroke(p, outline);
        break;
    }
    case CursorShape::Text: {
        QPainterPath beam;
        beam.moveTo(12, 4);
        beam.lineTo(20, 4);
        beam.moveTo(16, 4);
        beam.lineTo(16, 24);
        beam.moveTo(12, 24);
        beam.lineTo(20, 24);
        stroke(p, beam);
        break;
    }
    case CursorShape::MagTool: {
        QPainterPath lens;
        lens.addEllipse(QRectF(2.5, 2.5, 14, 14));
        lens.moveTo(14.5, 14.5);
        lens.lineTo(24, 24);
        stroke(p, lens);
        stroke(p, crossAt(QPointF(9.5, 9.5), 3));
        break;
    }
    case CursorShape::Hand: {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(8.5, 12.5, 15, 12), 4, 4);
        for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(9.5 + 3.5 * i, 7.5, 3, 8), 1.5, 1.5);
        break;
    }
    case CursorShape::Rotate: {
        QPainterPath turn;
        turn.arcMoveTo(QRectF(6.5, 6.5, 18, 18), 200);
        turn.arcTo(QRectF(6.5, 6.5, 18, 18), 200, -250);
        turn.moveTo(20, 4);
        turn.lineTo(24.5, 8);
        turn.lineTo(19, 11);
        stroke(p, turn);
        break;
    }
    default:
        break;
    }
}

QPoint hotSpot(CursorShape shape) {
    switch (shape) {
    case CursorShape::SelLine:
    case CursorShape::PenTool:
    case CursorShape::SnapPen:
        return {1, 1};
    case CursorShape::Rect:
    case CursorShape::Ellipse:
        return {7, 7};
    case CursorShape::MagTool:
        return {9, 9};
    default:
        return {15, 15};
    }
}

QCursor drawn(CursorShape shape) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        drawShape(p, shape);
    }
    const QPoint hot = hotSpot(shape);
    return QCursor(pixmap, hot.x(), hot.y());
}

} // namespace

QCursor shellCursor(CursorShape shape) {
    const int n = static_cast<int>(shape);
    if (n < 1 || n > 10) return QCursor(qtCursorShape(shape));
    // Drawn once, on first use, for the whole run.
    static std::array<QCursor, 10> table = [] {
        std::array<QCursor, 10> cursors;
        for (int i = 1; i <= 10; ++i) cursors[i - 1] = drawn(static_cast<CursorShape>(i));
        return cursors;
    }();
    return table[n - 1];
}

} // namespace plumex
