// The painter's fast conversion of control points and its curve-under-square test give what
// the view's own conversion and the anchor square give, on any coordinates, NaN included.
#include "canvas/ControlPixels.h"
#include "canvas/PathPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace plumex;

namespace {

double coordinate(std::mt19937& rng) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double u = unit(rng);
    if (u < 0.02) return std::numeric_limits<double>::quiet_NaN();
    if (u < 0.04) return (u < 0.03 ? 1 : -1) * std::numeric_limits<double>::infinity();
    if (u < 0.08) return (unit(rng) - 0.5) * 1e9;        // far outside the pixel range
    if (u < 0.10) return std::round(unit(rng) * 20) / 4; // lands on whole pixels
    return (unit(rng) - 0.5) * 30;
}

} // namespace

TEST(ControlPixels, AgreeWithTheViewOnRandomPaths) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<PixelPoint> fast, plain;
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
        TCvLine line;
        const int n = 1 + static_cast<int>(unit(rng) * 12);
        for (int i = 0; i < n; ++i) {
            line.points.emplace_back(TCvCoord{coordinate(rng), coordinate(rng)},
                                     TCvCoord{coordinate(rng), coordinate(rng)},
                                     TCvCoord{coordinate(rng), coordinate(rng)});
            line.points.back().selected = unit(rng) < 0.05;
        }
        line.closed = unit(rng) < 0.5;
        const double scales[] = {1e-6, 0.37, 1, 100, 12345.6, 1e12};
        const ViewTransform view{
            scales[round % 6],
            {static_cast<int>(unit(rng) * 4000) - 2000, static_cast<int>(unit(rng) * 4000) - 2000}};

        // The order the exact painter hands the curves to the surface.
        const std::vector<PixelPoint> expected =
            line.BezierPointList([&](TCvCoord c) { return view.UnitToPixel(c); });
        PixelRect box{expected[0].x, expected[0].y, expected[0].x, expected[0].y};
        for (const PixelPoint& p : expected)
            box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                   std::max(box.bottom, p.y)};
        const bool anySelected = std::any_of(line.points.begin(), line.points.end(),
                                             [](const TCvPoint& p) { return p.selected; });

        ASSERT_EQ(controlPixelCount(line), expected.size());
        fast.assign(expected.size(), {-7, -7});
        plain.assign(expected.size(), {-7, -7});
        const ControlPixels f = toControlPixels(line, view, fast.data());
        const ControlPixels p = toControlPixelsPlain(line, view, plain.data());
        EXPECT_EQ(fast, expected) << "round " << round;
        EXPECT_EQ(plain, expected) << "round " << round;
        EXPECT_EQ(f.box, box) << "round " << round;
        EXPECT_EQ(p.box, box) << "round " << round;
        EXPECT_EQ(f.anySelected, anySelected);
        EXPECT_EQ(p.anySelected, anySelected);
    }
}

// Near the square's edges on every side, for odd and even sides.
TEST(ControlPixels, CurveUnderSquareIsAllFourPointsInTheAnchorSquare) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> near(-5, 5), side(1, 9), far(-PixelLimit, PixelLimit);
    for (int round = 0; round < 200000; ++round) {
        const int a = side(rng);
        const PixelPoint q =
            round % 8 ? PixelPoint{near(rng), near(rng)} : PixelPoint{far(rng), far(rng)};
        PixelPoint curve[4];
        for (PixelPoint& p : curve)
            p = round % 16 ? PixelPoint{q.x + near(rng) / 2, q.y + near(rng) / 2}
                           : PixelPoint{far(rng), far(rng)};
        const PixelRect square = anchorSquare(q, a);
        const bool expected =
            std::all_of(curve, curve + 4, [&](PixelPoint p) { return square.contains(p); });
        ASSERT_EQ(underSquare(curve, q, a), expected) << "round " << round << " side " << a;
        ASSERT_EQ(underSquarePlain(curve, q, a), expected) << "round " << round;
    }
}
