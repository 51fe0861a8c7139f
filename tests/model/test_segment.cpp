#include "model/Segment.h"
#include "testing.h"

#include <cmath>
#include <limits>
#include <random>

using namespace plumex;
using plumex::testing::coordNear;

namespace {

Segment randomSegment(std::mt19937& rng, double range = 100) {
    std::uniform_real_distribution<double> d(-range, range);
    return {{d(rng), d(rng)}, {d(rng), d(rng)}, {d(rng), d(rng)}, {d(rng), d(rng)}};
}

// Plain sampling at the same step, without any early exit.
TCvRect sampledBounds(const Segment& s) {
    TCvRect r = boundsOf({s.a, s.b});
    const TCvRect hull = boundsOf({s.a, s.h1, s.h2, s.b});
    if (hull == r) return r;
    for (int i = 0; i <= 1000; ++i) {
        const TCvCoord p = evaluate(s, i / 1000.0);
        if (hull.left < std::min(s.a.x, s.b.x)) r.left = std::min(r.left, p.x);
        if (hull.right > std::max(s.a.x, s.b.x)) r.right = std::max(r.right, p.x);
        if (hull.bottom < std::min(s.a.y, s.b.y)) r.bottom = std::min(r.bottom, p.y);
        if (hull.top > std::max(s.a.y, s.b.y)) r.top = std::max(r.top, p.y);
    }
    return r;
}

} // namespace

TEST(Vector, LinearMapActsAboutTheCentre) {
    // A quarter turn counter-clockwise about (1, 1): x axis to (0, 1), y axis to (-1, 0).
    EXPECT_EQ(linearMap({2, 1}, 0, 1, -1, 0, {1, 1}), (TCvCoord{1, 2}));
    EXPECT_EQ(mirror({1, 2}, {0, 0}), (TCvCoord{-1, -2}));
    EXPECT_TRUE(near({0, 0}, {3, 4}, 5));
    EXPECT_FALSE(near({0, 0}, {3, 4}, 4.999));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(equal({nan, 0}, {nan, 0}));
}

TEST(Rect, ContainsIsInclusiveAndUnionGrows) {
    const TCvRect r = boundsOf({{2, 5}, {0, 1}});
    EXPECT_EQ(r, (TCvRect{0, 5, 2, 1}));
    EXPECT_TRUE(contains(r, {0, 1}));
    EXPECT_TRUE(contains(r, {2, 5}));
    EXPECT_FALSE(contains(r, {2.0000001, 3}));
    EXPECT_EQ(unite(r, TCvRect({-1, 0})), (TCvRect{-1, 5, 2, 0}));
    EXPECT_EQ(centre(r), (TCvCoord{1, 3}));
    EXPECT_EQ(boundsOf({}), TCvRect());
}

TEST(Segment, SplitOfAStraightSegmentStaysStraight) {
    const Segment s{{0, 0}, {0, 0}, {4, 2}, {4, 2}};
    const SplitResult r = split(s, 0.25);
    EXPECT_EQ(r.anchor, (TCvCoord{1, 0.5}));
    EXPECT_EQ(r.inHandle, r.anchor);
    EXPECT_EQ(r.outHandle, r.anchor);
    EXPECT_EQ(r.firstOut, s.a);
    EXPECT_EQ(r.secondIn, s.b);
}

TEST(Segment, SplitHalvesReproduceTheCurve) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int n = 0; n < 2000; ++n) {
        const Segment s = randomSegment(rng);
        const double t = unit(rng);
        const SplitResult r = split(s, t);
        const Segment first{s.a, r.firstOut, r.inHandle, r.anchor};
        const Segment second{r.anchor, r.outHandle, r.secondIn, s.b};
        for (double u = 0; u <= 1; u += 0.125) {
            ASSERT_TRUE(coordNear(evaluate(first, u), evaluate(s, t * u), 1e-9));
            ASSERT_TRUE(coordNear(evaluate(second, u), evaluate(s, t + (1 - t) * u), 1e-9));
        }
    }
}

TEST(Segment, BoundsEncloseTheCurveWithinTheHull) {
    std::mt19937 rng(11);
    for (int n = 0; n < 2000; ++n) {
        const Segment s = randomSegment(rng);
        const TCvRect b = segmentBounds(s);
        const TCvRect hull = boundsOf({s.a, s.h1, s.h2, s.b});
        EXPECT_GE(b.left, hull.left);
        EXPECT_LE(b.right, hull.right);
        EXPECT_GE(b.bottom, hull.bottom);
        EXPECT_LE(b.top, hull.top);
        // The bounds are as accurate as the 0.001 sampling step: a finer sample may peek out
        // by the curvature over half a step.
        const double slack = 1e-6 * (hull.right - hull.left + hull.top - hull.bottom);
        for (int i = 0; i <= 10000; ++i) {
            const TCvCoord p = evaluate(s, i / 10000.0);
            ASSERT_TRUE(p.x >= b.left - slack && p.x <= b.right + slack &&
                        p.y >= b.bottom - slack && p.y <= b.top + slack)
                << "segment " << n << " t " << i / 10000.0;
        }
    }
}

TEST(Segment, BoundsEarlyExitMatchesPlainSampling) {
    std::mt19937 rng(13);
    for (int n = 0; n < 3000; ++n) {
        const Segment s = randomSegment(rng, n % 2 ? 1e-3 : 1e6);
        ASSERT_EQ(segmentBounds(s), sampledBounds(s)) << "segment " << n;
    }
}

TEST(Segment, SShapedSegmentBoundsCoverTheCurveNotThePolygon) {
    const Segment s{{0, 0}, {10, 10}, {-10, -10}, {0, 0.5}};
    const TCvRect b = segmentBounds(s);
    EXPECT_GT(b.right, 1);
    EXPECT_LT(b.right, 10);
    EXPECT_LT(b.left, -1);
    EXPECT_GT(b.left, -10);
}

TEST(Segment, RetractedHandlesGiveAnchorBoundsAndDistanceRatio) {
    const Segment s{{0, 0}, {0, 0}, {10, 0}, {10, 0}};
    EXPECT_EQ(segmentBounds(s), (TCvRect{0, 0, 10, 0}));
    EXPECT_DOUBLE_EQ(nearestParameter(s, {2.5, 0}, 0.01, 0.1), 0.25);
    EXPECT_EQ(nearestParameter(s, {2.5, 1}, 0.01, 0.1), -1);
    // A point beyond the end does not continue the run from A through p to B.
    EXPECT_EQ(nearestParameter(s, {11, 0}, 0.01, 0.1), -1);
    const Segment dot{{3, 3}, {3, 3}, {3, 3}, {3, 3}};
    EXPECT_EQ(nearestParameter(dot, {3, 3}, 0.01, 0.1), 0);
}

TEST(Segment, NearestParameterTakesTheFirstRunOfHits) {
    // A loop that passes (0, 0.75) twice: the earlier pass wins.
    const Segment s{{-1, 0}, {2, 1}, {-2, 1}, {1, 0}};
    const double t = nearestParameter(s, evaluate(s, 0.3), 0.001, 0.05);
    ASSERT_GE(t, 0);
    EXPECT_NEAR(t, 0.3, 0.01);
    EXPECT_EQ(nearestParameter(s, {5, 5}, 0.001, 0.05), -1);
}

TEST(Segment, DegenerateInputNeverHangs) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Segment s{{0, 0}, {1, 1}, {2, 1}, {3, 0}};
    EXPECT_EQ(nearestParameter(s, {1, 0.5}, 0, 1), -1);
    EXPECT_EQ(nearestParameter(s, {1, 0.5}, nan, 1), -1);
    EXPECT_EQ(nearestParameter(s, {nan, 0.5}, 0.01, 1), -1);
    EXPECT_GE(nearestParameter(s, {1.5, 0.75}, 1e-300, 1), 0); // capped step
    const Segment wild{{0, 0}, {inf, nan}, {2, 1}, {3, 0}};
    (void)segmentBounds(wild);
    (void)nearestParameter(wild, {1, 1}, 0.01, 1);
}

TEST(Anchor, SmoothAndSymmetricTests) {
    EXPECT_TRUE(isCollinearRun({0, 0}, {1, 0}, {3, 0}, CoordEpsilon));
    EXPECT_FALSE(isCollinearRun({0, 0}, {1, 0}, {-1, 0}, CoordEpsilon)); // runs back
    EXPECT_TRUE(isCollinearRun({1, 0}, {1, 0}, {-1, 5}, CoordEpsilon));  // no direction
    EXPECT_TRUE(isSmooth({-1, 0}, {0, 0}, {2, 0}));
    EXPECT_FALSE(isSymmetric({-1, 0}, {0, 0}, {2, 0}));
    EXPECT_TRUE(isSymmetric({-1, 0}, {0, 0}, {1, 0}));
    // A retracted handle makes the anchor a corner wherever the other handle is.
    EXPECT_FALSE(isSmooth({0, 0}, {0, 0}, {2, 0}));
    EXPECT_FALSE(isSmooth({-1, 0}, {0, 0}, {0, 0}));
    // The flag an anchor is built with is the complement of symmetry.
    EXPECT_EQ(TCvPoint({0, 0}, {-1, 0}, {2, 0}).independent, 1);
    EXPECT_EQ(TCvPoint({0, 0}, {-1, 0}, {1, 0}).independent, 0);
}
