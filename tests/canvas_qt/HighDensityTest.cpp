// The canvas on a high-density screen: the buffer holds device pixels, everything else keeps
// logical sizes. The widget case runs at ratio 2 under QT_SCALE_FACTOR=2 (its own ctest entry).

#include "canvas/qt/CanvasWidget.h"

#include "MixedBlocks.h"
#include "QtTestApp.h"
#include "testing.h"

#include <QTest>

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::mixedBlocks;
using plumex::testing::polyline;

namespace {

constexpr QRgb WhiteRgb = 0xFFFFFFFF;

int inked(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += img.pixel(x, y) != WhiteRgb;
    return n;
}

std::vector<TCvLine> drawing() {
    TCvLine s = curve({{{-0.8, -0.6}, {-0.8, -0.6}, {-0.2, 0.9}},
                       {{0.1, 0.0}, {-0.3, -0.5}, {0.5, 0.5}},
                       {{0.7, 0.6}, {0.3, 0.9}, {0.7, 0.6}}});
    return {s, polyline({{-0.6, 0.5}, {-0.3, 0.5}, {0.6, -0.7}})};
}

struct Painted {
    TCvOptions o;
    TCvWindow w{&o};
    QImageSurface s;
    explicit Painted(qreal ratio) {
        o.ShowGrid = false;
        o.ShowAnchor = true;
        s.setDevicePixelRatio(ratio);
        s.ensureSize(200, 200);
        w.SetSurface(&s);
        w.Resize(200, 200);
        w.HandleCreated();
        w.Document.Lines = drawing();
        w.Paint({0, 0, 200, 200});
    }
};

} // namespace

TEST(HighDensity, CurvesAndRulerDigitsAreDrawnInDevicePixelsAtLogicalSizes) {
    plumex::testing::ensureQtApp();
    const Painted one(1);
    const Painted two(2);
    const QImage& a = one.s.image();
    const QImage& b = two.s.image();
    ASSERT_EQ(b.size(), QSize(400, 400));
    EXPECT_EQ(two.s.width(), 200);
    // Curves and digits step by device pixels, not by doubled logical ones.
    EXPECT_GT(mixedBlocks(b, QRect(13, 13, 187, 187)), 60);
    EXPECT_GT(mixedBlocks(b, QRect(13, 0, 187, 12)), 60);
    EXPECT_GT(mixedBlocks(b, QRect(0, 13, 12, 187)), 60);
    // Lines one logical pixel wide: the ink of a device picture is four times the logical one
    // (a one-device-pixel pen would give about twice).
    const double drawn =
        double(inked(b, QRect(26, 26, 374, 374))) / inked(a, QRect(13, 13, 187, 187));
    EXPECT_GT(drawn, 3.3);
    EXPECT_LT(drawn, 4.7);
    // The inner anchor of the open path: a filled square of 5 logical pixels, 10 device ones.
    const PixelPoint at = one.w.UnitToPixel({-0.3, 0.5});
    EXPECT_EQ(inked(a, QRect(at.x - 2, at.y - 2, 5, 5)), 25);
    EXPECT_EQ(inked(b, QRect(2 * (at.x - 2), 2 * (at.y - 2), 10, 10)), 100);
    EXPECT_EQ(b.pixel(2 * (at.x - 3), 2 * at.y - 1), WhiteRgb);
    EXPECT_EQ(b.pixel(2 * (at.x + 3), 2 * at.y), WhiteRgb);
    // A rubber band drawn twice leaves every device pixel as it was.
    QImageSurface& s = const_cast<QImageSurface&>(two.s);
    const QImage before = b.copy();
    s.invertFrame({30, 40, 150, 120}, BandShape::Ellipse);
    EXPECT_NE(s.image(), before);
    s.invertFrame({30, 40, 150, 120}, BandShape::Ellipse);
    EXPECT_EQ(s.image(), before);
}

TEST(HighDensity, WidgetShowsDevicePixelsAndHitsAsAtOneX) {
    plumex::testing::ensureQtApp();
    TCvOptions o;
    o.ShowGrid = false;
    CanvasWidget widget(&o);
    widget.resize(240, 200);
    widget.show();
    QApplication::processEvents();
    const qreal ratio = widget.devicePixelRatioF();
    if (ratio != 2) GTEST_SKIP() << "runs under QT_SCALE_FACTOR=2";
    TCvWindow& w = widget.canvas();
    w.Document.Lines = drawing();
    w.Invalidate();
    const QImage shot = widget.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(480, 400));
    EXPECT_GT(mixedBlocks(shot, QRect(13, 13, 227, 187)), 60);
    EXPECT_GT(mixedBlocks(shot, QRect(13, 0, 227, 12)), 60);
    // Scrolling moves device pixels: the buffer then holds what a fresh paint gives.
    w.ScrollBy(17, -9);
    w.ScrollBy(-5, 30);
    widget.renderPending();
    QImageSurface fresh;
    fresh.setDevicePixelRatio(2);
    fresh.ensureSize(240, 200);
    w.SetSurface(&fresh);
    w.Paint({0, 0, 240, 200});
    w.SetSurface(&widget.surface());
    EXPECT_EQ(widget.surface().image().copy(0, 0, 480, 400), fresh.image().copy(0, 0, 480, 400));

    // The same clicks on a window without any screen select the same paths and anchors.
    TCvOptions ho = o;
    TCvWindow headless(&ho);
    headless.Resize(240, 200);
    headless.HandleCreated();
    headless.ScrollBy(12, 21);
    ASSERT_EQ(headless.Origin(), w.Origin());
    for (ToolKind tool : {ToolKind::Object, ToolKind::Anchor}) {
        w.SetTool(tool);
        headless.SetTool(tool);
        for (int dy = -6; dy <= 6; dy += 2)
            for (int dx = -6; dx <= 6; ++dx) {
                w.Document.Lines = drawing();
                headless.Document.Lines = drawing();
                const PixelPoint p = w.UnitToPixel({-0.3, 0.5});
                const QPoint q(p.x + dx, p.y + dy);
                QTest::mouseClick(&widget, Qt::LeftButton, {}, q);
                headless.MouseDown({{q.x(), q.y()}, MouseButton::Left, ssLeft});
                headless.MouseUp({{q.x(), q.y()}, MouseButton::Left, 0});
                ASSERT_EQ(w.Document.Lines, headless.Document.Lines)
                    << "tool " << int(tool) << " at " << dx << "," << dy;
            }
    }
}
