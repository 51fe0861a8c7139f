// The rectangle, ellipse and text tool buttons of the main window, used with Qt mouse events
// on the canvas widget and their dialogs answered as a user would.

#include "FormFixture.h"

#include "app/qt/ShellCanvas.h"
#include "app/qt/SpeedPanel.h"
#include "canvas/ShapeTool.h"
#include "canvas/qt/TSizeDlg.h"
#include "text/qt/TTextDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::FormTest;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held,
           Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, keys);
    QApplication::sendEvent(w, &e);
}

void drag(QWidget* w, QPoint a, QPoint b, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    mouse(w, QEvent::MouseMove, a, Qt::NoButton, keys);
    mouse(w, QEvent::MouseButtonPress, a, Qt::LeftButton, keys);
    mouse(w, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton, keys);
    mouse(w, QEvent::MouseMove, b, Qt::LeftButton, keys);
    mouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, keys);
}

void doubleClick(QWidget* w, QPoint at) {
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
    mouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

class ToolButtons : public FormTest {
protected:
    void SetUp() override {
        start();
        form->resize(800, 600);
        form->show();
        QApplication::processEvents();
        canvas().SetOption(CanvasOption::SnapGrid, false);
        view = form->canvasWidget();
    }
    QPoint at(TCvCoord u) {
        const PixelPoint p = canvas().UnitToPixel(u);
        return {p.x, p.y};
    }
    void pick(int tool) { form->speedPanel()->toolButton(tool)->click(); }
    QWidget* view = nullptr;
};

} // namespace

TEST_F(ToolButtons, RectangleAndEllipseButtonsDrawTheirShapesAsOneUndoStepEach) {
    pick(3);
    ASSERT_EQ(canvas().Tool(), ToolKind::Rect);
    drag(view, at({0, 1}), at({2, 0}));
    ASSERT_EQ(canvas().Document.Lines.size(), 1u);
    const TCvLine want = RectanglePath({0, 1, 2, 0});
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(
            coordNear(canvas().Document.Lines[0].points[i].anchor, want.points[i].anchor, 1e-9))
            << i;
    EXPECT_TRUE(canvas().Document.Lines[0].selected);

    pick(4);
    ASSERT_EQ(canvas().Tool(), ToolKind::Ellipse);
    // Shift: a circle, however the mouse went.
    drag(view, at({-1, 1}), at({0.5, -0.2}), Qt::ShiftModifier);
    ASSERT_EQ(canvas().Document.Lines.size(), 2u);
    EXPECT_FALSE(canvas().Document.Lines[0].selected);
    const TCvLine& e = canvas().Document.Lines[1];
    EXPECT_TRUE(e.selected);
    EXPECT_TRUE(coordNear(e.points[1].anchor, {0.5, 0.25}, 1e-9));
    EXPECT_TRUE(coordNear(e.points[2].anchor, {-0.25, -0.5}, 1e-9));

    ASSERT_TRUE(canvas().Undo());
    EXPECT_EQ(canvas().Document.Lines.size(), 1u);
    ASSERT_TRUE(canvas().Undo());
    EXPECT_TRUE(canvas().Document.Lines.empty());
}

TEST_F(ToolButtons, DoubleClickAsksTheSizeUnderTheMouseAndPutsTheUpperLeftCornerThere) {
    pick(4);
    QString caption;
    QTimer::singleShot(0, [&caption] {
        auto* dlg = qobject_cast<TSizeDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        caption = dlg->windowTitle();
        EXPECT_EQ(dlg->EWidth->text(), "1");
        dlg->EWidth->setText("2");
        dlg->EHeight->setText("1");
        dlg->OkBtn->click();
    });
    doubleClick(view, at({0.5, 0.5}));
    EXPECT_EQ(caption, "Ellipse");
    ASSERT_EQ(canvas().Document.Lines.size(), 1u);
    const TCvLine want = EllipsePath({0.5, 0.5, 2.5, -0.5});
    for (int i = 0; i < 4; ++i) {
        const TCvPoint& p = canvas().Document.Lines[0].points[i];
        EXPECT_TRUE(coordNear(p.anchor, want.points[i].anchor, 1e-9)) << i;
        EXPECT_TRUE(coordNear(p.inHandle, want.points[i].inHandle, 1e-9)) << i;
        EXPECT_TRUE(coordNear(p.outHandle, want.points[i].outHandle, 1e-9)) << i;
    }
    // The next double click offers the size just used.
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<TSizeDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->EWidth->text(), "2");
        EXPECT_EQ(dlg->EHeight->text(), "1");
        dlg->CancelBtn->click();
    });
    doubleClick(view, at({-1, -1}));
    EXPECT_EQ(canvas().Document.Lines.size(), 1u);
}

TEST_F(ToolButtons, TextButtonPlacesTheDialogsTextAndCtrlRepeatsIt) {
    pick(5);
    ASSERT_EQ(canvas().Tool(), ToolKind::Text);
    auto* shell = static_cast<ShellCanvas*>(view);
    TTextDlg* dlg = shell->textDlg();
    dlg->CBFontNames->setEditable(true);
    dlg->CBFontNames->setCurrentText("DejaVu Sans");
    QTimer::singleShot(0, [dlg] {
        ASSERT_EQ(QApplication::activeModalWidget(), dlg);
        dlg->RE1->setPlainText("O\nO");
        dlg->OkBtn->click();
    });
    // A frame 0.5 units tall: the object size.
    drag(view, at({0, 1}), at({1, 0.5}));
    EXPECT_EQ(dlg->CBObjSizes->currentText(), "0.5");
    // Two "O"s with their counters: one path each, the second line 0.6 lower.
    ASSERT_EQ(canvas().Document.Lines.size(), 2u);
    const TCvRect first = canvas().Document.Lines[0].GetBounds();
    const TCvRect second = canvas().Document.Lines[1].GetBounds();
    EXPECT_NEAR(first.top - first.bottom, second.top - second.bottom, 1e-9);
    EXPECT_NEAR(first.bottom - second.bottom, 0.6, 1e-9);
    EXPECT_GT(first.left, 0);
    EXPECT_LT(first.left, 0.1);
    EXPECT_LT(first.bottom, 0.5);

    // Ctrl: the same text again at the click, without the dialog.
    const QPoint p = at({2, -1});
    mouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::ControlModifier);
    mouse(view, QEvent::MouseButtonRelease, p, Qt::NoButton, Qt::ControlModifier);
    ASSERT_EQ(canvas().Document.Lines.size(), 4u);
    EXPECT_FALSE(canvas().Document.Lines[0].selected);
    EXPECT_TRUE(canvas().Document.Lines[3].selected);
    ASSERT_TRUE(canvas().Undo());
    EXPECT_EQ(canvas().Document.Lines.size(), 2u);
}

// The middle button lends the zoom tool only while it is held: after a click, a double click
// or a framed drag the panel shows the tool in use again at once.
TEST_F(ToolButtons, MiddleButtonZoomGivesThePanelTheRealToolBack) {
    pick(3);
    const double scale = canvas().Scale();
    QTest::mouseClick(view, Qt::MiddleButton, Qt::NoModifier, at({0, 0}));
    EXPECT_DOUBLE_EQ(canvas().Scale(), scale * 2);
    EXPECT_EQ(canvas().Tool(), ToolKind::Rect);
    EXPECT_EQ(form->speedPanel()->checkedTool(), 3);

    // A double click as the system delivers it: press, release, double-click press, release
    // (QTest's widget mouseDClick sends only the third).
    QTest::mouseClick(view, Qt::MiddleButton, Qt::NoModifier, at({0, 0}));
    QTest::mouseDClick(view, Qt::MiddleButton, Qt::NoModifier, at({0, 0}));
    QTest::mouseRelease(view, Qt::MiddleButton, Qt::NoModifier, at({0, 0}));
    EXPECT_DOUBLE_EQ(canvas().Scale(), scale * 4); // the second press zooms no further
    EXPECT_EQ(canvas().Tool(), ToolKind::Rect);
    EXPECT_EQ(form->speedPanel()->checkedTool(), 3);

    pick(1);
    const QPoint a = at({-1, 1}), b = at({1, -1});
    QTest::mousePress(view, Qt::MiddleButton, Qt::NoModifier, a);
    EXPECT_EQ(form->speedPanel()->checkedTool(), 6); // lent while held
    QTest::mouseMove(view, (a + b) / 2);
    QTest::mouseMove(view, b);
    QTest::mouseRelease(view, Qt::MiddleButton, Qt::NoModifier, b);
    EXPECT_EQ(canvas().Tool(), ToolKind::Anchor);
    EXPECT_EQ(form->speedPanel()->checkedTool(), 1);
}
