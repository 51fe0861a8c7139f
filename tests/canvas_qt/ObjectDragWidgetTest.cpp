// A selection dragged with real Qt mouse events on the canvas widget.
#include "QtTestApp.h"
#include "canvas/qt/CanvasWidget.h"
#include "testing.h"

#include <QMouseEvent>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(ObjectDragWidget, DraggingAPathMovesItAndOneUndoBringsItBack) {
    plumex::testing::ensureQtApp();
    TCvOptions o;
    o.SnapGrid = false;
    CanvasWidget widget(&o);
    widget.resize(300, 200);
    widget.show();
    QApplication::processEvents();
    TCvWindow& w = widget.canvas();
    const TCvLine line = polyline({{-0.5, 0}, {0.5, 0}});
    w.Document.Lines = {line};
    w.Invalidate();

    const PixelPoint from = w.UnitToPixel({0, 0});
    const QPoint a(from.x, from.y);
    const QPoint b = a + QPoint(40, -30);
    mouse(&widget, QEvent::MouseMove, a, Qt::NoButton, Qt::NoButton);
    mouse(&widget, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    mouse(&widget, QEvent::MouseMove, a + QPoint(20, -15), Qt::NoButton, Qt::LeftButton);
    mouse(&widget, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    mouse(&widget, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);

    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_TRUE(coordNear(w.Document.Lines[0].points[0].anchor, {-0.1, 0.3}, 1e-9));
    EXPECT_EQ(w.Document.UndoBuffer.current(), 1u);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    ASSERT_TRUE(w.Undo());
    EXPECT_TRUE(coordNear(w.Document.Lines[0].points[0].anchor, {-0.5, 0}, 0));
    EXPECT_FALSE(w.Document.UndoBuffer.CanUndo());
}
