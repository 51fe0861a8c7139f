// The selection helper's glyphs on a high-density screen. The widget case runs at ratio 2
// under QT_SCALE_FACTOR=2 (its own ctest entry).
#include "FormFixture.h"

#include "app/qt/CornerImages.h"
#include "canvas/qt/CanvasWidget.h"
#include "canvas_qt/MixedBlocks.h"

#include <QApplication>

using namespace plumex;
using plumex::testing::FormTest;
using plumex::testing::mixedBlocks;

TEST(HelperGlyphs, DrawnAtTheDeviceRatioOverTheSameLogicalPixels) {
    const std::vector<RasterImage> one = cornerImages(1);
    const std::vector<RasterImage> two = cornerImages(2);
    ASSERT_EQ(one.size(), 6u);
    ASSERT_EQ(two.size(), 6u);
    for (std::size_t g = 0; g < 6; ++g) {
        ASSERT_EQ(two[g].width, 64);
        ASSERT_EQ(two[g].height, 64);
        // Every logical pixel the 1x mark covers is mostly covered at 2x, and the other way
        // round; the rounding of the corners is what only the finer picture shows.
        int differ = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                int covered = 0;
                for (int k = 0; k < 4; ++k)
                    covered += two[g].at(2 * x + k % 2, 2 * y + k / 2) != *two[g].transparent;
                const bool inked = one[g].at(x, y) != *one[g].transparent;
                differ += inked != (covered >= 2);
            }
        EXPECT_LE(differ, 4) << "glyph " << g;
        // White and black and the greys between, nothing else.
        for (const RasterImage* image : {&one[g], &two[g]})
            for (const Color c : image->pixels)
                if (c != *image->transparent) {
                    ASSERT_EQ(c, (c & 0xFF) * 0x010101u) << "glyph " << g;
                }
    }
}

TEST_F(FormTest, HighDensitySelectionHelperGlyphsAreNotPixelDoubled) {
    TForm1& form = start();
    CanvasWidget& widget = *form.canvasWidget();
    form.show();
    QApplication::processEvents();
    if (widget.devicePixelRatioF() != 2) GTEST_SKIP() << "runs under QT_SCALE_FACTOR=2";
    TCvWindow& w = widget.canvas();
    w.Document.Lines = {plumex::testing::polyline({{-0.5, -0.4}, {0.5, -0.4}, {0.5, 0.4}}, true)};
    w.Document.SelectAll();
    w.Invalidate();
    const QImage shot = widget.grab().toImage();
    ASSERT_EQ(shot.width(), 2 * widget.width());
    PixelRect r = w.UnitRectToPixelRect(w.Document.SelectionBounds);
    r.right += 1;
    r.bottom += 1;
    // The four corner marks, each 6 logical pixels square just outside the frame's corner.
    const QPoint marks[] = {{r.left - 8, r.top - 8},
                            {r.right - 21 + 23, r.top - 8},
                            {r.right - 21 + 23, r.bottom - 21 + 23},
                            {r.left - 8, r.bottom - 21 + 23}};
    for (const QPoint m : marks) {
        const QRect mark(m, QSize(6, 6));
        EXPECT_GT(mixedBlocks(shot, mark), 1) << m.x() << "," << m.y();
        int dark = 0;
        for (int y = 2 * mark.top(); y < 2 * (mark.bottom() + 1); ++y)
            for (int x = 2 * mark.left(); x < 2 * (mark.right() + 1); ++x)
                dark += qGray(shot.pixel(x, y)) < 64;
        EXPECT_GT(dark, 40) << m.x() << "," << m.y(); // the black inside, 8 x 8 device pixels
        EXPECT_LT(dark, 90) << m.x() << "," << m.y(); // and a white edge round it
    }
}
