// What reaches the canvas widget as Qt events while menus open and anchors are dragged.
#include "QtTestApp.h"
#include "app/ColorTable.h"
#include "canvas/qt/CanvasWidget.h"
#include "testing.h"

#include <QFocusEvent>
#include <QMouseEvent>

using namespace plumex;
using plumex::testing::polyline;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void focusOut(QWidget* w, Qt::FocusReason reason) {
    QFocusEvent e(QEvent::FocusOut, reason);
    QApplication::sendEvent(w, &e);
}

struct CanvasOnScreen {
    bool app = (plumex::testing::ensureQtApp(), true); // before the widget
    TCvOptions o;
    CanvasWidget widget{&o};
    TCvWindow& w = widget.canvas();

    CanvasOnScreen() {
        o.SnapGrid = false;
        o.ShowGrid = false;
        o.ShowRuler = false;
        widget.resize(300, 240);
        widget.show();
        QApplication::processEvents();
    }
    QPoint at(TCvCoord p) const {
        const PixelPoint q = w.UnitToPixel(p);
        return {q.x, q.y};
    }
    // Pixels of one colour in the whole paint buffer, after a full repaint.
    int painted(Color c) {
        w.Paint({0, 0, w.ClientWidth(), w.ClientHeight()});
        int n = 0;
        for (int y = 0; y < w.ClientHeight(); ++y)
            for (int x = 0; x < w.ClientWidth(); ++x) n += widget.surface().pixel({x, y}) == c;
        return n;
    }
};

} // namespace

// A menu opening takes the focus with the popup reason; the hovered anchor (which the context
// menu's anchor entries act on) survives it, and a real focus loss still forgets it.
TEST(MenuFocusWidget, AMenuIsNotAFocusLossForTheHoveredAnchor) {
    CanvasOnScreen c;
    c.w.Document.Lines = {polyline({{-0.5, 0}, {0.5, 0}})};
    c.w.Document.Lines[0].SelectAll(true);
    c.w.Document.SelectionChanged();
    c.w.SetTool(ToolKind::Anchor);
    mouse(&c.widget, QEvent::MouseMove, c.at({0.5, 0}), Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(c.w.Hover().anchor);
    const AnchorHit hovered = c.w.Hover().anchor;
    focusOut(&c.widget, Qt::PopupFocusReason);
    EXPECT_EQ(c.w.Hover().anchor, hovered);
    focusOut(&c.widget, Qt::MenuBarFocusReason); // Alt enters the menu bar
    EXPECT_EQ(c.w.Hover().anchor, hovered);
    focusOut(&c.widget, Qt::ActiveWindowFocusReason);
    EXPECT_FALSE(c.w.Hover().anchor);
}

// Opening a menu while drawing with the pen keeps the path open for the next click.
TEST(MenuFocusWidget, AMenuKeepsThePenPathOpen) {
    CanvasOnScreen c;
    c.w.SetTool(ToolKind::Pen);
    for (TCvCoord p : {TCvCoord{0, 0}, TCvCoord{0.5, 0.3}}) {
        mouse(&c.widget, QEvent::MouseMove, c.at(p), Qt::NoButton, Qt::NoButton);
        mouse(&c.widget, QEvent::MouseButtonPress, c.at(p), Qt::LeftButton, Qt::LeftButton);
        mouse(&c.widget, QEvent::MouseButtonRelease, c.at(p), Qt::LeftButton, Qt::NoButton);
    }
    ASSERT_EQ(c.w.PenPath(), 0);
    const int anchors = c.w.Document.Lines[0].count();
    focusOut(&c.widget, Qt::PopupFocusReason);
    EXPECT_EQ(c.w.PenPath(), 0);
    const QPoint third = c.at({-0.5, 0.4});
    mouse(&c.widget, QEvent::MouseMove, third, Qt::NoButton, Qt::NoButton);
    mouse(&c.widget, QEvent::MouseButtonPress, third, Qt::LeftButton, Qt::LeftButton);
    mouse(&c.widget, QEvent::MouseButtonRelease, third, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(c.w.Document.Lines.size(), 1u);
    EXPECT_EQ(c.w.Document.Lines[0].count(), anchors + 1);
    focusOut(&c.widget, Qt::TabFocusReason);
    EXPECT_EQ(c.w.PenPath(), -1);
}

// The selection helper (frame, centre, pivot marker) stays away while a move drags a grabbed
// anchor, and is there for a move that began elsewhere on the path.
TEST(MenuFocusWidget, NoHelperWhileAGrabbedAnchorIsDragged) {
    CanvasOnScreen c;
    // The middle anchor lies inside the frame, away from its zones.
    c.w.Document.Lines = {polyline({{-0.5, -0.5}, {-0.2, 0.25}, {0.5, 0.5}})};
    c.w.Document.Lines[0].SelectAll(true);
    c.w.Document.SelectionChanged();
    const Color frame = colorTable()[11], marker = colorTable()[12];
    ASSERT_GT(c.painted(frame), 0);
    ASSERT_GT(c.painted(marker), 0);

    auto dragFrom = [&](TCvCoord p) {
        const QPoint a = c.at(p);
        mouse(&c.widget, QEvent::MouseMove, a, Qt::NoButton, Qt::NoButton);
        mouse(&c.widget, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        mouse(&c.widget, QEvent::MouseMove, a + QPoint(10, 8), Qt::NoButton, Qt::LeftButton);
        mouse(&c.widget, QEvent::MouseMove, a + QPoint(20, 16), Qt::NoButton, Qt::LeftButton);
        return a + QPoint(20, 16);
    };
    QPoint end = dragFrom({-0.2, 0.25});
    ASSERT_EQ(c.w.DragState(), DragKind::Move);
    ASSERT_TRUE(c.w.GrabbedAnchor());
    EXPECT_EQ(c.painted(frame), 0);
    EXPECT_EQ(c.painted(marker), 0);
    mouse(&c.widget, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
    EXPECT_GT(c.painted(frame), 0);

    const auto& moved = c.w.Document.Lines[0].points;
    end = dragFrom(scale(add(moved[0].anchor, moved[1].anchor), 0.5)); // mid-segment
    ASSERT_EQ(c.w.DragState(), DragKind::Move);
    ASSERT_FALSE(c.w.GrabbedAnchor());
    EXPECT_GT(c.painted(frame), 0);
    EXPECT_GT(c.painted(marker), 0);
    mouse(&c.widget, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
}
