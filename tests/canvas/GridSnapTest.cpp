#include "canvas/Grid.h"
#include "canvas/Window.h"

#include "FakeHost.h"
#include "testing.h"

using namespace plumex;

TEST(AutoGrid, StepsStayBetweenTenAndHundredPixels) {
    struct Case {
        double scale, units;
        int knots;
        double ruler;
        int major;
    };
    for (const Case& c :
         {Case{100, 0.1, 5, 0.5, 2}, Case{250, 0.05, 2, 0.2, 5}, Case{0.5, 20, 5, 100, 10},
          Case{15, 1, 5, 5, 2}, Case{12800, 0.001, 5, 0.005, 2}, Case{0.01, 1000, 5, 5000, 2}}) {
        const AutoGrid g = autoGridFor(c.scale);
        EXPECT_NEAR(g.gridUnits, c.units, c.units * 1e-12) << c.scale;
        EXPECT_EQ(g.gridKnots, c.knots) << c.scale;
        EXPECT_NEAR(g.rulerStep, c.ruler, c.ruler * 1e-12) << c.scale;
        EXPECT_EQ(g.rulerMajor, c.major) << c.scale;
    }
}

TEST(AutoGrid, FixedGridKeepsItsStepWhileTheRulerFollowsTheScale) {
    TCvOptions o;
    TCvWindow w(&o);
    plumex::testing::FakeHost host;
    w.SetHost(&host);
    host.gridAnswer = GridSize{0.25, 4};
    w.SetOption(CanvasOption::GridSizeFixed, true);
    EXPECT_TRUE(o.GridSizeFixed);
    w.ZoomTo(250);
    EXPECT_EQ(o.GridUnits, 0.25);
    EXPECT_EQ(o.GridKnots, 4);
    EXPECT_NEAR(w.RulerStep(), 0.2, 1e-12);
    w.SetOption(CanvasOption::GridSizeFixed, false); // back to automatic at the current scale
    EXPECT_NEAR(o.GridUnits, 0.05, 1e-12);
    host.gridAnswer.reset();
    w.SetOption(CanvasOption::GridSizeFixed, true); // cancelled: stays automatic
    EXPECT_FALSE(o.GridSizeFixed);
}

namespace {

struct SnapFixture : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    void SetUp() override {
        o.SnapGrid = true;
        w.Resize(400, 300);
    }
};

} // namespace

TEST_F(SnapFixture, GridSnapWithinSixPixels) {
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.23, 0}, SnapAxes::both()).x, 0.2);
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.25, 0}, SnapAxes::both()).x, 0.30000000000000004);
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.23, 0.41}, SnapAxes{.x = false, .y = true}).x,
                     0.23); // axis not snapped
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.23, 0.41}, SnapAxes{.x = false, .y = true}).y, 0.4);
    w.SetScaleOption(30);
    o.GridUnits = 0.5;
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.72, 0}, SnapAxes::both()).x, 0.72); // 6.6 pixels away
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.68, 0}, SnapAxes::both()).x, 0.5);  // 5.4 pixels away
}

TEST_F(SnapFixture, GridSnapNeedsTheGridShownAndWiderThanOnePixel) {
    o.ShowGrid = false;
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.23, 0}, SnapAxes::both()).x, 0.23);
    o.ShowGrid = true;
    o.GridUnits = 0.01; // one pixel
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.0123, 0}, SnapAxes::both()).x, 0.0123);
    o.GridUnits = -0.1; // harmless
    EXPECT_DOUBLE_EQ(w.SnapPoint({0.23, 0}, SnapAxes::both()).x, 0.23);
}

TEST_F(SnapFixture, NearerGuideBeatsTheGridAndTheMovingGuideIsSkipped) {
    w.VerticalGuides() = {1.02};
    EXPECT_DOUBLE_EQ(w.SnapPoint({1.03, 0}, SnapAxes::both()).x, 1.02);
    w.VerticalGuides() = {1.045};
    EXPECT_DOUBLE_EQ(w.SnapPoint({1.02, 0}, SnapAxes::both()).x, 1.0); // grid 2 px, guide 2.5 px
    // Guides snap without grid snapping, and not while guide snapping is off.
    EXPECT_DOUBLE_EQ(w.SnapPoint({1.07, 0}, SnapAxes{}).x, 1.045);
    o.SnapGuides = false;
    EXPECT_DOUBLE_EQ(w.SnapPoint({1.07, 0}, SnapAxes{}).x, 1.07);
    o.SnapGuides = true;
    w.SetMovingGuide(MovingGuide{GuideAxis::Vertical, 0});
    EXPECT_DOUBLE_EQ(w.SnapPoint({1.07, 0}, SnapAxes{}).x, 1.07);
    w.SetMovingGuide(std::nullopt);
    w.HorizontalGuides() = {-2, -2.01};
    EXPECT_DOUBLE_EQ(w.SnapPoint({0, -2.015}, SnapAxes{}).y, -2.01);
}

TEST_F(SnapFixture, RectSnapsTheNearestEdge) {
    // Right edge 0.02 from the grid line 0.9, left edge 0.03 from 0.1: the right edge wins.
    TCvCoord c = w.SnapRect({0.13, 0.5, 0.88, 0.2}, SnapAxes::both());
    EXPECT_NEAR(c.x, 0.02, 1e-12);
    EXPECT_NEAR(c.y, 0, 1e-12);
    // A guide nearer than any grid line wins, on either edge.
    w.HorizontalGuides() = {0.205};
    c = w.SnapRect({0.13, 0.55, 0.88, 0.215}, SnapAxes::both());
    EXPECT_NEAR(c.y, -0.01, 1e-12);
    // Nothing within six pixels: no correction.
    c = w.SnapRect({0.15, 0.55, 0.75, 0.25}, SnapAxes{});
    EXPECT_EQ(c.x, 0);
}
