#include "canvas/HandleShape.h"

#include "testing.h"

#include <cmath>
#include <numbers>

using namespace plumex;
using plumex::testing::coordNear;

namespace {

constexpr double deg = std::numbers::pi / 180;

TCvPoint at(TCvCoord a, TCvCoord in, TCvCoord out) {
    return TCvPoint(a, in, out);
}

TCvCoord polar(TCvCoord from, double degrees, double r) {
    return {from.x + r * std::cos(degrees * deg), from.y + r * std::sin(degrees * deg)};
}

} // namespace

TEST(HandleShape, ShiftKeepsTheDirectionOrTheNearerAxis) {
    const TCvCoord a{1, 1};
    const auto dir = handleDirection(a, {2, 2});
    ASSERT_TRUE(dir.has_value());
    // Only the length changes: the projection onto the 45-degree line.
    EXPECT_TRUE(coordNear(constrainHandle(a, {4, 2}, dir), {3, 3}, 1e-12));
    // Behind the anchor the handle flips along the same line rather than leaving it.
    EXPECT_TRUE(coordNear(constrainHandle(a, {0, -1}, dir), {-0.5, -0.5}, 1e-12));
    // A retracted handle has no direction and is held on the horizontal or the vertical.
    EXPECT_FALSE(handleDirection(a, a).has_value());
    EXPECT_EQ(constrainHandle(a, {5, 2}, std::nullopt), (TCvCoord{5, 1}));
    EXPECT_EQ(constrainHandle(a, {1.5, -3}, std::nullopt), (TCvCoord{1, -3}));
    // A tie keeps the horizontal.
    EXPECT_EQ(lockToAxis(a, {3, 3}), (TCvCoord{3, 1}));
}

TEST(HandleShape, DraggingMirrorsUnlessIndependent) {
    TCvPoint p = at({0, 0}, {-1, 0}, {1, 0});
    dragHandle(p, HandleSide::Out, {2, 3});
    EXPECT_EQ(p.inHandle, (TCvCoord{-2, -3}));
    dragHandle(p, HandleSide::In, {0, 1});
    EXPECT_EQ(p.outHandle, (TCvCoord{0, -1}));
    p.independent = 1;
    dragHandle(p, HandleSide::Out, {5, 5});
    EXPECT_EQ(p.inHandle, (TCvCoord{0, 1}));
    // Pulling out of a retracted anchor gives a mirrored pair again.
    retractBothHandles(p);
    EXPECT_EQ(p.independent, 0);
    dragHandle(p, HandleSide::Out, {1, 2});
    EXPECT_EQ(p.inHandle, (TCvCoord{-1, -2}));
}

TEST(HandleShape, LevellingFollowsTheRecordedAngle) {
    const TCvCoord a{2, 2};
    for (double angle : {30.0, -30.0, 150.0, 45.0, -135.0}) {
        TCvPoint p = at(a, polar(a, angle + 180, 1), polar(a, angle, 1));
        levelHandles(p, HandleSide::Out, angle * deg);
        EXPECT_DOUBLE_EQ(p.outHandle.y, 2) << angle;
        EXPECT_DOUBLE_EQ(p.inHandle.y, 2) << angle;
        EXPECT_TRUE(coordNear(p.inHandle, mirror(p.outHandle, a), 1e-12)) << angle;
    }
    for (double angle : {60.0, -60.0, 120.0, 90.0}) {
        TCvPoint p = at(a, polar(a, angle + 180, 1), polar(a, angle, 1));
        levelHandles(p, HandleSide::Out, angle * deg);
        EXPECT_DOUBLE_EQ(p.outHandle.x, 2) << angle;
        EXPECT_DOUBLE_EQ(p.inHandle.x, 2) << angle;
    }
    // An independent anchor levels only the grabbed handle.
    TCvPoint corner = at(a, {1, 3}, polar(a, 60, 1));
    corner.independent = 1;
    levelHandles(corner, HandleSide::Out, 60 * deg);
    EXPECT_DOUBLE_EQ(corner.outHandle.x, 2);
    EXPECT_EQ(corner.inHandle, (TCvCoord{1, 3}));
}

TEST(HandleShape, DoubleClickEndings) {
    TCvPoint p = at({0, 0}, {-1, -1}, {1, 1});
    retractHandle(p, HandleSide::In);
    EXPECT_EQ(p.inHandle, p.anchor);
    EXPECT_EQ(p.outHandle, (TCvCoord{1, 1}));
    EXPECT_EQ(p.independent, 1);
    remirrorHandles(p, HandleSide::Out);
    EXPECT_EQ(p.inHandle, (TCvCoord{-1, -1}));
    EXPECT_EQ(p.independent, 0);
}
