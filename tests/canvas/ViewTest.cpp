#include "canvas/Window.h"

#include "FakeHost.h"
#include "testing.h"

#include <cmath>
#include <limits>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

struct ViewFixture : ::testing::Test {
    TCvOptions options;
    TCvWindow w{&options};
    plumex::testing::FakeHost host;

    void SetUp() override {
        w.SetHost(&host);
        w.Resize(813, 613); // visible 800 x 600 with rulers
        w.HandleCreated();
    }
};

} // namespace

TEST_F(ViewFixture, ConversionsTruncateTowardZeroAndRoundTrip) {
    w.SetOrigin(100, 200);
    EXPECT_EQ(w.UnitToPixel({1.234, 0.5}), (PixelPoint{223, 150}));
    // Truncation toward zero: -0.5 pixel from the origin stays on the origin's column.
    EXPECT_EQ(w.UnitToPixelX(-0.005), 99);
    EXPECT_EQ(w.UnitToPixelX(-0.015), 98);
    EXPECT_TRUE(coordNear(w.PixelToUnit(223, 150), {1.23, 0.5}, 1e-12));
    EXPECT_EQ(w.UnitsToPixels(0.1), 10);
    EXPECT_DOUBLE_EQ(w.PixelsToUnits(6), 0.06);
    const PixelRect r = w.UnitRectToPixelRect({-1, 1, 1, -1});
    EXPECT_EQ(r, (PixelRect{0, 100, 200, 300}));
    EXPECT_EQ(w.PixelRectToUnitRect(r), (TCvRect{-1, 1, 1, -1}));
}

TEST_F(ViewFixture, FarAndNonFiniteCoordinatesClampInsteadOfOverflowing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {1e300, -1e300, inf, -inf, nan, 3e9, -3e9}) {
        const PixelPoint p = w.UnitToPixel({v, v});
        EXPECT_LE(std::abs(p.x), PixelLimit);
        EXPECT_LE(std::abs(p.y), PixelLimit);
        EXPECT_LE(std::abs(w.UnitsToPixels(v)), PixelLimit);
    }
    EXPECT_EQ(w.UnitToPixelX(1e300), PixelLimit);
    EXPECT_EQ(w.UnitToPixelY(1e300), -PixelLimit);
    // Navigating to far or broken places keeps the origin usable.
    w.CenterOn({1e300, -1e300});
    w.ScrollBy(std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
    w.CenterOn({nan, inf});
    EXPECT_LE(std::abs(w.UnitToPixelX(0)), PixelLimit);
    // A drawing that is far away but finite is still centred exactly.
    w.CenterOn({1e5, -2e5});
    EXPECT_TRUE(coordNear(w.ViewCenter(), {1e5, -2e5}, 0.01));
}

TEST_F(ViewFixture, ZoomClampsTheScale) {
    w.ZoomTo(100000);
    EXPECT_EQ(w.Scale(), 12800);
    w.ZoomTo(0.001);
    EXPECT_EQ(w.Scale(), 0.01);
    w.ZoomTo(-5);
    EXPECT_EQ(w.Scale(), 0.01);
    w.ZoomTo(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(w.Scale(), 0.01);
}

TEST_F(ViewFixture, ZoomInThenOutKeepsScaleAndCentre) {
    w.CenterOn({3.21, -1.7});
    const TCvCoord before = w.ViewCenter();
    w.ZoomTo(w.Scale() * 2);
    w.ZoomTo(w.Scale() * 0.5);
    EXPECT_EQ(w.Scale(), 100);
    EXPECT_TRUE(coordNear(w.ViewCenter(), before, 1.0 / 100));
}

TEST_F(ViewFixture, WheelZoomsByFourthRootOfTwo) {
    w.MouseWheel(120);
    EXPECT_NEAR(w.Scale(), 100 * std::pow(2.0, 0.25), 1e-9);
    w.MouseWheel(120);
    w.MouseWheel(120);
    w.MouseWheel(120);
    EXPECT_NEAR(w.Scale(), 200, 1e-9);
    for (int i = 0; i < 4; ++i) w.MouseWheel(-120);
    EXPECT_NEAR(w.Scale(), 100, 1e-9);
}

TEST_F(ViewFixture, VisibleCentreWithAndWithoutRulers) {
    EXPECT_EQ(w.ClientCenter(), (PixelPoint{13 + 400, 13 + 300}));
    w.SetOption(CanvasOption::ShowRuler, false);
    EXPECT_EQ(w.ClientCenter(), (PixelPoint{406, 306}));
    w.GoOriginCenter();
    EXPECT_EQ(w.Origin(), (PixelPoint{406, 306}));
}

TEST_F(ViewFixture, FitSelectionOfAFlatLine) {
    TCvLine line = polyline({{-10, 2}, {10, 2}});
    line.SelectAll(true);
    w.Document.Lines.push_back(line);
    w.Document.SelectionChanged();
    w.FitSelection();
    // Width fitted into 800 - 45 pixels, height ignored, centred.
    EXPECT_DOUBLE_EQ(w.Scale(), 755.0 / 20);
    EXPECT_TRUE(coordNear(w.ViewCenter(), {0, 2}, 1 / w.Scale()));

    // A short line keeps the scale and is only centred.
    w.Document.Lines[0] = polyline({{5, 5}, {5.5, 5}});
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    const double scale = w.Scale();
    w.FitSelection();
    EXPECT_EQ(w.Scale(), scale);
    EXPECT_TRUE(coordNear(w.ViewCenter(), {5.25, 5}, 1 / scale));
}

TEST_F(ViewFixture, FitAllNeedsAPathAndTakesInTheDraft) {
    w.SetDraft(DraftPicture{{100, 50, std::vector<Color>(5000), {}}, {0, 0}, 0.1});
    w.FitAll();
    EXPECT_EQ(w.Scale(), 100); // empty drawing: nothing happens
    w.Document.Lines.push_back(polyline({{0, 0}, {1, -1}}));
    w.FitAll();
    // The draft spans 10 x 5 units from (0, 0) down to (10, -5).
    EXPECT_DOUBLE_EQ(w.Scale(), std::min(755.0 / 10, 555.0 / 5));
    EXPECT_TRUE(coordNear(w.ViewCenter(), {5, -2.5}, 1 / w.Scale()));
}

TEST_F(ViewFixture, HomeCommandsPutTheOriginOrSelectionLowerLeft) {
    w.GoOriginHome();
    // ox = 813 div 2 - 13 - 8 = 385, oy = 613 div 2 - 21 = 285 units * 100 from the centre.
    EXPECT_NEAR(w.Origin().x, 413 - 385, 1);
    EXPECT_NEAR(w.Origin().y, 313 + 285, 1);
    TCvLine line = polyline({{2, 3}, {4, 5}});
    line.SelectAll(true);
    w.Document.Lines.push_back(line);
    w.Document.SelectionChanged();
    w.GoSelectionHome();
    EXPECT_NEAR(w.UnitToPixelX(2), 413 - 385, 1);
    EXPECT_NEAR(w.UnitToPixelY(3), 313 + 285, 1);
}

TEST_F(ViewFixture, ResizeKeepsThePictureCentred) {
    const PixelPoint o = w.Origin();
    w.Resize(833, 613);
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 10, o.y}));
    w.Resize(832, 600);
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 10, o.y - 6})); // -1 div 2 is 0, -13 div 2 is -6
}

TEST_F(ViewFixture, ArrowAndPageKeysScroll) {
    options.GridSizeFixed = true;
    options.GridUnits = 0.03; // 3 pixels
    const PixelPoint o = w.Origin();
    EXPECT_TRUE(w.KeyDown({key::Left, 0}));
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 8, o.y}));
    EXPECT_FALSE(w.KeyDown({key::Left, ssCtrl})); // Ctrl+arrows belong to the key moves
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 8, o.y}));
    options.GridUnits = 0.5; // 50 pixels
    w.KeyDown({key::Down, 0});
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 8, o.y - 50}));
    w.KeyDown({key::PageUp, 0});
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 8, o.y - 50 + 300}));
    w.KeyDown({key::PageDown, ssShift | ssCtrl});
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 8 - 400, o.y + 250}));
    // The vertical ruler never scrolls sideways, the horizontal one never up or down.
    ASSERT_FALSE(host.scrolls.empty());
    EXPECT_EQ(host.scrolls[0].area.left, 13);
    EXPECT_EQ(host.scrolls[1].area.top, 13);
}

TEST_F(ViewFixture, StoredScaleIsKeptButAnUnusableOneCannotHang) {
    w.SetScaleOption(50000); // a document's scale is not clamped
    EXPECT_EQ(w.Scale(), 50000);
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        w.SetScaleOption(bad);
        EXPECT_GT(w.Scale(), 0);
        EXPECT_TRUE(std::isfinite(w.Scale()));
    }
}

TEST_F(ViewFixture, RightDragPansAndFocusLossEndsIt) {
    const PixelPoint o = w.Origin();
    w.MouseDown({{100, 100}, MouseButton::Right, ssRight});
    w.MouseMove({{103, 100}, MouseButton::None, ssRight}); // within the drag threshold
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    w.MouseMove({{110, 95}, MouseButton::None, ssRight});
    EXPECT_EQ(w.DragState(), DragKind::Pan);
    EXPECT_EQ(host.cursor, CursorShape::Hand);
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 7, o.y - 5}));
    w.MouseMove({{120, 95}, MouseButton::None, ssRight});
    EXPECT_EQ(w.Origin(), (PixelPoint{o.x + 17, o.y - 5}));
    w.FocusLost();
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_FALSE(host.captured);
}

TEST_F(ViewFixture, ScaleDialogZoomsOnlyOnAValue) {
    w.InputScale(); // cancelled
    EXPECT_EQ(w.Scale(), 100);
    host.sizeAnswer = SizeAnswer{250, 0};
    w.InputScale();
    EXPECT_EQ(w.Scale(), 250);
}
