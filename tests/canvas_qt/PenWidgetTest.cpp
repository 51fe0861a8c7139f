// A closed path drawn with the pen through real Qt mouse events, saved and read back.
#include "QtTestApp.h"
#include "canvas/qt/CanvasWidget.h"
#include "testing.h"

#include <QMouseEvent>
#include <QTemporaryDir>

using namespace plumex;
using plumex::testing::coordNear;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Hover, press, drag in two steps (none when `to` is `at`), release.
void press(QWidget* w, QPoint at, QPoint to) {
    mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    if (to != at) {
        mouse(w, QEvent::MouseMove, (at + to) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    }
    mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

} // namespace

TEST(PenWidget, DrawsAClosedPathThatSurvivesSavingAndLoading) {
    plumex::testing::ensureQtApp();
    TCvOptions o;
    o.SnapGrid = false;
    CanvasWidget widget(&o);
    widget.resize(400, 300);
    widget.show();
    QApplication::processEvents();
    TCvWindow& w = widget.canvas();
    w.SetTool(ToolKind::Pen);
    auto at = [&](TCvCoord p) {
        const PixelPoint q = w.UnitToPixel(p);
        return QPoint(q.x, q.y);
    };

    press(&widget, at({0, 0}), at({0, 0}));
    press(&widget, at({1, 0}), at({1, 0}) + QPoint(30, 0)); // a smooth anchor
    press(&widget, at({1, 1}), at({1, 1}));
    press(&widget, at({0, 0}) + QPoint(2, -1), at({0, 0}) + QPoint(2, -1)); // closes

    ASSERT_EQ(w.Document.Lines.size(), 1u);
    const TCvLine drawn = w.Document.Lines[0];
    EXPECT_TRUE(drawn.closed);
    ASSERT_EQ(drawn.count(), 3);
    EXPECT_TRUE(coordNear(drawn.points[1].outHandle, {1.3, 0}, 1e-9));
    EXPECT_TRUE(coordNear(drawn.points[1].inHandle, {0.7, 0}, 1e-9));
    EXPECT_EQ(w.PenPath(), -1);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = dir.filePath("pen.plx").toStdString();
    std::string error;
    ASSERT_TRUE(w.SaveToFile(file, &error)) << error;
    TCvDocument loaded;
    ASSERT_TRUE(loaded.LoadFromFile(file));
    ASSERT_EQ(loaded.Lines.size(), 1u);
    // The file keeps no selection.
    TCvLine expected = drawn;
    expected.SelectAll(false);
    EXPECT_EQ(loaded.Lines[0], expected);
}
