#include "canvas/qt/CanvasWidget.h"
#include "canvas/CornerGlyphs.h"
#include "canvas/qt/TGridSizeDlg.h"
#include "canvas/qt/TSizeDlg.h"

#include "QtTestApp.h"
#include "testing.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <random>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

struct WidgetFixture : ::testing::Test {
    TCvOptions o;
    std::unique_ptr<CanvasWidget> widget;

    void SetUp() override {
        plumex::testing::ensureQtApp();
        widget = std::make_unique<CanvasWidget>(&o);
        widget->resize(300, 200);
        widget->show();
        QApplication::processEvents();
        TCvLine curve = polyline({{-1, -0.7}, {0.3, 0.6}, {1.2, -0.1}});
        curve.points[1].outHandle = {0.9, 1.5};
        widget->canvas().Document.Lines = {curve};
        widget->canvas().VerticalGuides() = {0.42};
        widget->canvas().Invalidate();
        widget->renderPending();
    }

    // What a full paint of the present view looks like, painted from scratch.
    QImage freshPaint() {
        QImageSurface fresh(widget->width(), widget->height());
        TCvWindow& w = widget->canvas();
        w.SetSurface(&fresh);
        w.Paint({0, 0, w.ClientWidth(), w.ClientHeight()});
        w.SetSurface(&widget->surface());
        return fresh.image().copy(0, 0, widget->width(), widget->height());
    }
    QImage shown() {
        return widget->surface().image().copy(0, 0, widget->width(), widget->height());
    }
};

void send(QWidget* w, QEvent* e) {
    QApplication::sendEvent(w, e);
}

} // namespace

TEST_F(WidgetFixture, ShowingCentresTheOriginAndSizesTheBuffer) {
    EXPECT_EQ(widget->canvas().Origin(), (PixelPoint{13 + 143, 13 + 93}));
    EXPECT_GE(widget->surface().width(), 300);
    EXPECT_EQ(shown(), freshPaint());
}

TEST_F(WidgetFixture, ScrolledBufferMatchesAFreshPaint) {
    TCvWindow& w = widget->canvas();
    w.ScrollBy(17, -9);
    widget->renderPending();
    EXPECT_EQ(shown(), freshPaint());
    w.ScrollBy(-40, 0);
    w.ScrollBy(0, 33);
    widget->renderPending();
    EXPECT_EQ(shown(), freshPaint());
}

TEST_F(WidgetFixture, BufferGrowsButNeverShrinks) {
    widget->resize(400, 260);
    QApplication::processEvents();
    widget->renderPending();
    EXPECT_EQ(shown(), freshPaint());
    widget->resize(200, 100);
    QApplication::processEvents();
    EXPECT_EQ(widget->surface().width(), 400);
    EXPECT_EQ(widget->surface().height(), 260);
}

TEST_F(WidgetFixture, QtInputReachesTheCanvas) {
    TCvWindow& w = widget->canvas();
    const PixelPoint o0 = w.Origin();
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    send(widget.get(), &left);
    EXPECT_EQ(w.Origin().x, o0.x + 10); // one grid step of 10 pixels

    QWheelEvent wheel(QPointF(50, 50), widget->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    send(widget.get(), &wheel);
    EXPECT_NEAR(w.Scale(), 100 * std::pow(2.0, 0.25), 1e-9);

    // Right-button drag pans.
    const PixelPoint o1 = w.Origin();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100),
                      widget->mapToGlobal(QPointF(100, 100)), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    send(widget.get(), &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(130, 90), widget->mapToGlobal(QPointF(130, 90)),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    send(widget.get(), &move);
    EXPECT_EQ(w.DragState(), DragKind::Pan);
    EXPECT_EQ(w.Origin(), (PixelPoint{o1.x + 30, o1.y - 10}));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(130, 90),
                        widget->mapToGlobal(QPointF(130, 90)), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    send(widget.get(), &release);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(coordNear(w.CursorPos(), w.PixelToUnit(130, 90), 1e-12));
}

// A wheel step shows the buffer scaled in the paint that follows it, without painting the
// drawing afresh; the exact picture comes by itself as the next event, so the scaled copy never
// stays on the screen, however the steps follow each other.
TEST_F(WidgetFixture, ZoomStepsShowAScaledCopyAtOnceThenTheExactPicture) {
    TCvWindow& w = widget->canvas();
    o.ShowGrid = false;
    w.Invalidate();
    widget->renderPending();
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(150, 100), widget->mapToGlobal(QPointF(150, 100)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        send(widget.get(), &e);
    };
    const QRgb white = qRgb(255, 255, 255);
    for (const int delta : {120, 120, -120, 120, -120, -120, -120}) {
        const double scale = w.Scale();
        const PixelPoint origin = w.Origin();
        wheel(delta);
        ASSERT_NE(w.Scale(), scale);
        widget->repaint();
        const QImage quick = shown();
        const QImage exact = freshPaint();
        EXPECT_FALSE(quick == exact) << "delta " << delta; // the copy, not a repaint
        // The ink of the exact picture, where the old picture reaches, has ink of the copy
        // within two pixels.
        const double k = w.Scale() / scale;
        int inked = 0, missed = 0;
        for (int y = 15; y < exact.height() - 2; ++y)
            for (int x = 15; x < exact.width() - 2; ++x) {
                const double oldX = origin.x + (x - w.Origin().x) / k;
                const double oldY = origin.y + (y - w.Origin().y) / k;
                if (exact.pixel(x, y) == white || oldX < 16 || oldY < 16 ||
                    oldX > exact.width() - 3 || oldY > exact.height() - 3)
                    continue;
                ++inked;
                bool near = false;
                for (int dy = -2; dy <= 2 && !near; ++dy)
                    for (int dx = -2; dx <= 2 && !near; ++dx)
                        near = quick.pixel(x + dx, y + dy) != white;
                missed += !near;
            }
        EXPECT_GT(inked, 300) << "delta " << delta;
        EXPECT_LT(missed, inked / 50) << "delta " << delta;
        // The rulers are drawn exactly at once.
        EXPECT_TRUE(quick.copy(0, 0, 300, 13) == exact.copy(0, 0, 300, 13));
        EXPECT_TRUE(quick.copy(0, 0, 13, 200) == exact.copy(0, 0, 13, 200));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == exact; }, 5000)) << "delta " << delta;
    }
    // Steps faster than the paints: the copy of a copy, and then too the exact picture.
    wheel(120);
    wheel(120);
    wheel(-120);
    const QImage exact = freshPaint();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == exact; }, 5000));
}

TEST(GridSizeDialog, InvalidValuesKeepTheDialogOpen) {
    plumex::testing::ensureQtApp();
    TGridSizeDlg dlg;
    std::vector<std::string> errors;
    dlg.showError = [&](const std::string& e) { errors.push_back(e); };
    dlg.prepare({0.1, 5});
    EXPECT_EQ(dlg.EdUnits->text(), "0.1");
    dlg.EdKnots->setText("0");
    dlg.OkBtn->click(); // the button goes through the checking accept too
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    dlg.EdUnits->setText("abc");
    dlg.EdKnots->setText("3");
    dlg.accept();
    EXPECT_EQ(errors.size(), 2u);
    dlg.EdUnits->setText("0.5");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(SizeDialog, FilterAndModes) {
    plumex::testing::ensureQtApp();
    TSizeDlg dlg;
    dlg.prepare({1, 100, 0, 0, std::nullopt});
    EXPECT_TRUE(dlg.EHeight->isHidden());
    EXPECT_EQ(dlg.height(), 100);
    dlg.EWidth->clear();
    for (auto [k, t] : {std::pair{Qt::Key_2, "2"},
                        {Qt::Key_A, "a"},
                        {Qt::Key_Minus, "-"},
                        {Qt::Key_Period, "."},
                        {Qt::Key_5, "5"}}) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString::fromLatin1(t));
        send(dlg.EWidth, &e);
    }
    EXPECT_EQ(dlg.EWidth->text(), "2.5");
    dlg.setResult(QDialog::Accepted);
    ASSERT_TRUE(dlg.answer());
    EXPECT_EQ(dlg.answer()->width, 2.5);
    dlg.EWidth->setText("0");
    EXPECT_FALSE(dlg.answer());
    dlg.prepare({0, 3, 4, 0, std::nullopt});
    EXPECT_FALSE(dlg.EHeight->isHidden());
    EXPECT_EQ(dlg.height(), 136);
}

TEST(SizeDialog, TheTypedValueComesBackWhenCancelled) {
    plumex::testing::ensureQtApp();
    TSizeDlg dlg;
    double typed = 0;
    plumex::SizeRequest request{2, 0.1, 0, 0, std::nullopt};
    request.typed = &typed;
    QTimer::singleShot(0, &dlg, [&dlg] {
        dlg.EWidth->setText("0.25");
        dlg.reject();
    });
    EXPECT_FALSE(dlg.run(request));
    EXPECT_EQ(typed, 0.25);
}

// Undo and Redo repaint only what they changed; whatever the edits and selections between
// them, the window then shows what a full paint would.
TEST_F(WidgetFixture, UndoAndRedoRepaintWhatAFullPaintShows) {
    TCvWindow& w = widget->canvas();
    w.SetCornerImages(cornerGlyphs());
    o.SnapGrid = false;
    std::vector<TCvLine> lines;
    for (int i = 0; i < 30; ++i) {
        const double x = -1.2 + 0.4 * (i % 6), y = -0.8 + 0.35 * (i / 6);
        lines.push_back(polyline({{x, y}, {x + 0.2, y + 0.1}, {x + 0.1, y + 0.25}}));
    }
    w.Document.Lines = lines;
    w.Invalidate();
    widget->renderPending();
    std::mt19937 random(7);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int step = 0; step < 120 && !HasFailure(); ++step) {
        switch (pick(6)) {
        case 0:
        case 1: {
            const std::size_t i = std::size_t(pick(int(w.Document.Lines.size())));
            w.Document.DeselectPaths();
            w.Document.Lines[i].SelectAll(true);
            w.Document.SelectionChanged();
            w.Invalidate();
            w.MoveSelectionByKey(pick(2) ? KeyMove::Right : KeyMove::Up, KeyStep::Normal);
            break;
        }
        case 2:
            w.SetTool(pick(2) ? ToolKind::Object : ToolKind::Anchor);
            break;
        case 3:
        case 4:
            w.Undo();
            break;
        default:
            w.Redo();
            break;
        }
        widget->renderPending();
        ASSERT_EQ(shown(), freshPaint()) << "step " << step;
    }
}
