#include "model/ViewFit.h"
#include "testing.h"

#include <cmath>
#include <limits>

using namespace plumex;
using plumex::testing::polyline;

TEST(ViewFit, TheTighterDirectionDecides) {
    // 100 x 50 units into 545 x 345 pixels less the margin: 5 pixels a unit across.
    ViewFit f = fitView({0, 50, 100, 0}, 545, 345, 7);
    EXPECT_DOUBLE_EQ(f.scale, 5);
    EXPECT_EQ(f.centre, (TCvCoord{50, 25}));
    f = fitView({-1, 10, 1, -10}, 545, 345, 7); // tall: 300 pixels for 20 units
    EXPECT_DOUBLE_EQ(f.scale, 15);
    EXPECT_EQ(f.centre, (TCvCoord{0, 0}));
}

TEST(ViewFit, FlatTinyHugeAndBrokenRectangles) {
    // A horizontal line fits across but is not zoomed beyond the current scale.
    EXPECT_DOUBLE_EQ(fitView({0, 3, 1000, 3}, 545, 345, 7).scale, 0.5);
    EXPECT_DOUBLE_EQ(fitView({0, 3, 1, 3}, 545, 345, 7).scale, 7);
    EXPECT_DOUBLE_EQ(fitView({2, 3, 2, 3}, 545, 345, 7).scale, 7); // a point
    EXPECT_EQ(fitView({0, 1e-9, 1e-9, 0}, 545, 345, 7).scale, MaxViewScale);
    EXPECT_EQ(fitView({0, 1e9, 1e9, 0}, 545, 345, 7).scale, MinViewScale);
    EXPECT_EQ(fitView({0, 10, 10, 0}, 20, 20, 7).scale, MinViewScale); // no room at all
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(fitView({nan, nan, nan, nan}, 545, 345, 7).scale));
}

TEST(ViewFit, DrawingBoundsCoverEveryPath) {
    EXPECT_FALSE(drawingBounds({}));
    const auto r = drawingBounds({polyline({{0, 0}, {2, 1}}), polyline({{-3, 5}, {1, 4}})});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (TCvRect{-3, 5, 2, 0}));
}
