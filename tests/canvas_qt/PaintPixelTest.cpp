#include "canvas/CornerGlyphs.h"
#include "canvas/Window.h"
#include "canvas/qt/QImageSurface.h"

#include "QtTestApp.h"
#include "testing.h"

#include <limits>

using namespace plumex;
using plumex::testing::polyline;

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;

struct PaintFixture : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    QImageSurface s;

    void SetUp() override {
        plumex::testing::ensureQtApp();
        o.ShowRuler = false;
        w.SetSurface(&s);
        resize(200, 200);
    }
    void resize(int width, int height) {
        s.ensureSize(width, height);
        w.Resize(width, height);
        w.HandleCreated();
    }
    void paint() { w.Paint({0, 0, w.ClientWidth(), w.ClientHeight()}); }
    Color at(int x, int y) const { return s.pixel({x, y}); }
    int count(const PixelRect& r, Color c) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += at(x, y) == c;
        return n;
    }
};

} // namespace

TEST_F(PaintFixture, GridEveryTenPixelsWithEveryFifthLineStronger) {
    paint();
    ASSERT_EQ(w.Origin(), (PixelPoint{100, 100}));
    const ColorTable& c = colorTable();
    EXPECT_EQ(at(100, 55), c[10]); // axis
    EXPECT_EQ(at(110, 55), c[8]);
    EXPECT_EQ(at(140, 55), c[8]);
    EXPECT_EQ(at(150, 55), c[9]);
    EXPECT_EQ(at(50, 55), c[9]); // n = -5
    EXPECT_EQ(at(90, 55), c[8]);
    EXPECT_EQ(at(115, 55), White);
    EXPECT_EQ(at(115, 150), c[9]); // horizontal step line
    EXPECT_EQ(at(115, 140), c[8]);
}

TEST_F(PaintFixture, NoGridBelowTwoPixels) {
    o.GridSizeFixed = true;
    w.ZoomTo(15); // 0.1 units are 1.5 pixels
    paint();
    const ColorTable& c = colorTable();
    EXPECT_EQ(count({0, 0, 200, 200}, c[8]) + count({0, 0, 200, 200}, c[9]), 0);
    EXPECT_EQ(at(100, 30), c[10]); // the axes still show
    o.GridUnits = 0.14;            // 2.1 pixels
    paint();
    EXPECT_GT(count({0, 0, 200, 200}, c[8]), 1000);
}

TEST_F(PaintFixture, EndAnchorsOfUnselectedOpenPathsAreHollow) {
    o.ShowGrid = false;
    w.Document.Lines = {polyline({{-0.5, 0.5}, {0, 0.5}, {0.5, 0.5}}),
                        polyline({{-0.5, -0.5}, {0, -0.5}, {0.5, -0.5}}, true)};
    paint();
    // Open path: hollow ends, filled inner anchor; the squares are 5 pixels wide.
    EXPECT_EQ(at(50, 50), White);
    EXPECT_EQ(at(49, 49), White);
    EXPECT_EQ(at(48, 48), Black); // frame
    EXPECT_EQ(at(100, 49), Black);
    EXPECT_EQ(at(150, 49), White);
    // Closed path: every anchor filled.
    EXPECT_EQ(at(50, 149), Black);
    EXPECT_EQ(at(150, 149), Black);
    // Small anchors are 3 pixels.
    w.SetOption(CanvasOption::SmallAnchor, true);
    paint();
    EXPECT_EQ(at(49, 49), Black);
    EXPECT_EQ(at(48, 48), White);
}

TEST_F(PaintFixture, SelectedPathColoursByAnchorState) {
    o.ShowGrid = false;
    TCvLine line = polyline({{-0.5, 0}, {0, 0}, {0.5, 0}, {0.8, 0}});
    line.SelectAll(true);
    line.points[2].selected = 0;
    line.points[3].selected = 0;
    w.Document.Lines = {line};
    w.Document.SelectionChanged();
    w.SetTool(ToolKind::Anchor); // keeps the anchor selection
    paint();
    const ColorTable& c = colorTable();
    EXPECT_EQ(at(50, 100), c[4]);  // selected end
    EXPECT_EQ(at(100, 99), c[2]);  // selected inner
    EXPECT_EQ(at(150, 99), c[3]);  // unselected inner of a selected path
    EXPECT_EQ(at(180, 99), c[5]);  // unselected end of a selected path
    EXPECT_EQ(at(152, 100), c[2]); // frame
}

TEST_F(PaintFixture, GuideAtZeroTakesTheAverageColour) {
    o.ShowGrid = false;
    w.VerticalGuides() = {0, 0.5};
    w.HorizontalGuides() = {0};
    paint();
    EXPECT_EQ(at(100, 30), 0x4000BFu);
    EXPECT_EQ(at(150, 30), colorTable()[16]);
    EXPECT_EQ(at(30, 100), 0x4000BFu);
    o.ShowGuides = false;
    paint();
    EXPECT_EQ(at(150, 30), White);
}

TEST_F(PaintFixture, RulerCornerTurnsRedWithKAtOneTenth) {
    o.ShowRuler = true;
    w.ZoomTo(0.1);
    paint();
    EXPECT_GT(count({0, 0, 12, 12}, 0x0000FF), 40);
    EXPECT_GT(count({0, 0, 12, 12}, White), 4); // the letter
    w.ZoomTo(0.2);
    paint();
    EXPECT_EQ(count({0, 0, 12, 12}, 0x0000FF), 0);
    // Ruler strips in their background colour, with ticks; the drawing never covers them.
    EXPECT_GT(count({13, 0, 200, 12}, colorTable()[13]), 1000);
    EXPECT_GT(count({13, 0, 200, 13}, colorTable()[14]), 10);
}

TEST_F(PaintFixture, CursorIndicatorsComeAndGoWithoutTouchingTheCorner) {
    o.ShowRuler = true;
    paint();
    const QImage before = s.image().copy();
    w.UpdateCursorIndicators({60, 70});
    EXPECT_EQ(at(60, 5), colorTable()[15]);
    EXPECT_EQ(at(5, 70), colorTable()[15]);
    w.UpdateCursorIndicators({12, 12}); // erases, then draws nothing over the corner
    EXPECT_EQ(s.image(), before);
    w.UpdateCursorIndicators({80, 90});
    paint(); // a repaint keeps the indicator where it is
    EXPECT_EQ(at(80, 5), colorTable()[15]);
    w.UpdateCursorIndicators({81, 90});
    EXPECT_NE(at(80, 5), colorTable()[15]);
}

TEST_F(PaintFixture, SelectionHelperFrameCentreAndGlyphs) {
    o.ShowGrid = false;
    TCvLine line = polyline({{-0.5, -0.5}, {0.5, 0.5}});
    line.SelectAll(true);
    w.Document.Lines = {line};
    w.Document.SelectionChanged();
    w.SetCornerImages(cornerGlyphs());
    paint();
    const Color bounds = colorTable()[11];
    EXPECT_EQ(at(50, 70), bounds);   // left edge of the frame
    EXPECT_EQ(at(150, 70), bounds);  // right edge, one pixel wider
    EXPECT_EQ(at(102, 101), bounds); // centre square (the path crosses its middle)
    EXPECT_EQ(at(50 - 11 + 11, 50 - 11 + 8), 0x404040u); // corner glyph 0 around (50, 50)
    w.SetCornerImages({});
    paint();
    EXPECT_NE(at(50 - 11 + 11, 50 - 11 + 8), 0x404040u);
}

TEST_F(PaintFixture, FarAndBrokenPathsPaintSafely) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TCvLine far = polyline({{-1e300, 1e300}, {1e300, -1e300}, {nan, 0}, {inf, -inf}});
    TCvLine across = polyline({{-1e300, 0.25}, {1e300, 0.25}});
    across.SelectAll(true);
    w.Document.Lines = {far, across};
    w.Document.SelectionChanged();
    w.SetTool(ToolKind::Anchor);
    paint();
    w.ZoomTo(12800);
    paint();
    w.SetScaleOption(1e300);
    paint();
    // The horizontal line across the whole plane still shows where it should.
    w.SetScaleOption(100);
    w.CenterOn({0, 0});
    paint();
    EXPECT_EQ(at(120, 75), colorTable()[2]);
}

TEST_F(PaintFixture, RubberBandTwiceRestoresThePixels) {
    paint();
    const QImage before = s.image().copy();
    w.DrawRubberBand({150, 20, 30, 170}, BandShape::Rectangle);
    EXPECT_NE(s.image(), before);
    w.DrawRubberBand({150, 20, 30, 170}, BandShape::Rectangle);
    EXPECT_EQ(s.image(), before);
    w.DrawRubberBand({20, 20, 120, 90}, BandShape::Ellipse);
    w.DrawRubberBand({20, 20, 120, 90}, BandShape::Ellipse);
    EXPECT_EQ(s.image(), before);
}

TEST_F(PaintFixture, DraftPictureIsStretchedByScaleTimesFactor) {
    o.ShowGrid = false;
    o.DimDraft = false;
    RasterImage img{2, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456}, {}};
    w.SetDraft(DraftPicture{img, {-0.5, 0.5}, 0.25}); // each picture pixel is 25 screen pixels
    paint();
    EXPECT_EQ(at(55, 55), 0x0000FFu);
    EXPECT_EQ(at(95, 55), 0x00FF00u);
    EXPECT_EQ(at(55, 95), 0xFF0000u);
    EXPECT_EQ(at(99, 99), 0x123456u);
    EXPECT_EQ(at(101, 101), White);
    o.DimDraft = true; // faded: 255 - (255 - c) div 3 per channel
    paint();
    EXPECT_EQ(at(55, 55), 0xAAAAFFu);
    EXPECT_EQ(at(99, 99), 0xB0BCC7u);
    o.ShowDraft = false;
    paint();
    EXPECT_EQ(at(55, 55), White);
}
