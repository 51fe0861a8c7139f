#include "model/Path.h"
#include "testing.h"

#include <random>

using namespace plumex;
using plumex::testing::A3;
using plumex::testing::coordNear;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

TCvLine randomPath(std::mt19937& rng, int anchors, bool closed) {
    std::uniform_real_distribution<double> d(-50, 50);
    TCvLine line;
    for (int i = 0; i < anchors; ++i) {
        line.points.emplace_back(TCvCoord{d(rng), d(rng)}, TCvCoord{d(rng), d(rng)},
                                 TCvCoord{d(rng), d(rng)});
        line.points.back().selected = rng() % 2;
    }
    line.closed = closed;
    return line;
}

void selectAnchors(TCvLine& line, std::initializer_list<int> which) {
    for (int i : which) line.points[static_cast<std::size_t>(i)].selected = 1;
    line.UpdateSelected();
}

} // namespace

TEST(Path, BoundsOfEmptyAndCurvedPaths) {
    TCvLine empty;
    EXPECT_EQ(empty.GetBounds(), TCvRect());
    EXPECT_EQ(empty.GetHullBounds(), TCvRect());
    EXPECT_EQ(empty.FirstAnchor(), TCvCoord());
    TCvRect r{1, 2, 3, 0};
    empty.ExtendBounds(r);
    EXPECT_EQ(r, (TCvRect{1, 2, 3, 0}));

    // An arch whose handles rise to y = 4 peaks at y = 3; the unused outer handles are ignored.
    const TCvLine arch = curve({{{0, 0}, {-9, -9}, {0, 4}}, {{4, 0}, {4, 4}, {9, 9}}});
    const TCvRect b = arch.GetBounds();
    EXPECT_NEAR(b.top, 3, 1e-5);
    EXPECT_EQ(b.bottom, 0);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, 4);
    EXPECT_EQ(arch.GetHullBounds(), (TCvRect{-9, 9, 9, -9}));
    // Closing the arch adds the segment back through the outer handles.
    TCvLine loop = arch;
    loop.closed = 1;
    EXPECT_GT(loop.GetBounds().right, 4);
}

TEST(Path, ReverseKeepsTheCurveAndTwiceRestores) {
    std::mt19937 rng(3);
    for (int n = 0; n < 500; ++n) {
        const TCvLine line = randomPath(rng, 1 + n % 7, n % 2);
        TCvLine r = line;
        r.Reverse();
        ASSERT_EQ(r.closed, line.closed);
        ASSERT_EQ(r.segmentCount(), line.segmentCount());
        const int segs = line.segmentCount();
        for (int i = 0; i < segs; ++i) {
            // Segment i reversed is segment (segs - 1 - i) of the reversed path (open), or the
            // one that ends where segment i starts (closed).
            const int j = line.closed ? (2 * line.count() - 2 - i) % line.count() : segs - 1 - i;
            for (double t = 0; t <= 1; t += 0.25)
                ASSERT_TRUE(
                    coordNear(evaluate(line.segment(i), t), evaluate(r.segment(j), 1 - t), 1e-9));
        }
        r.Reverse();
        ASSERT_EQ(r, line);
        ASSERT_EQ(r.points, line.points);
    }
}

TEST(Path, RotateStartAndIndexOfPoint) {
    TCvLine line = polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, true);
    line.RotateStart(-3); // same as 1
    EXPECT_EQ(line.FirstAnchor(), (TCvCoord{1, 0}));
    EXPECT_EQ(line.LastAnchor(), (TCvCoord{0, 0}));
    line.RotateStart(4);
    EXPECT_EQ(line.FirstAnchor(), (TCvCoord{1, 0}));
    EXPECT_EQ(line.IndexOfPoint(&line.points[2]), 2);
    TCvPoint elsewhere;
    EXPECT_EQ(line.IndexOfPoint(&elsewhere), -1);
    EXPECT_EQ(line.IndexOfPoint(line.points.data() + 4), -1);
}

TEST(Path, InsertPointOnStraightAndCurvedSegments) {
    TCvLine straight = polyline({{0, 0}, {4, 0}});
    straight.InsertPoint(0, 1, 0.25);
    ASSERT_EQ(straight.count(), 3);
    EXPECT_EQ(straight.points[1].anchor, (TCvCoord{1, 0}));
    EXPECT_TRUE(straight.segment(0).straight());
    EXPECT_TRUE(straight.segment(1).straight());
    EXPECT_EQ(straight.selected, 1);
    EXPECT_EQ(straight.points[1].selected, 0);

    // Open curve: a symmetric end anchor keeps its flag and gets its outer handle re-mirrored;
    // an asymmetric one becomes independent.
    TCvLine open = curve({{{0, 0}, {-1, -1}, {1, 1}}, {{3, 0}, {2, 1}, {3, 0}}});
    ASSERT_EQ(open.points[0].independent, 0);
    ASSERT_EQ(open.points[1].independent, 1);
    const TCvLine before = open;
    open.InsertPoint(0, 1, 0.5);
    ASSERT_EQ(open.count(), 3);
    EXPECT_EQ(open.points[0].independent, 0);
    EXPECT_EQ(open.points[0].inHandle, mirror(open.points[0].outHandle, {0, 0}));
    EXPECT_EQ(open.points[2].independent, 1);
    EXPECT_TRUE(coordNear(open.points[1].anchor, evaluate(before.segment(0), 0.5), 1e-12));
    EXPECT_EQ(open.points[1].independent, 0);

    // A closed path keeps its flags; the wrap segment takes its anchor too.
    TCvLine loop = curve({{{0, 0}, {-1, 1}, {1, -1}}, {{4, 0}, {3, -1}, {5, 1}}}, true);
    loop.InsertPoint(1, 0, 0.5);
    ASSERT_EQ(loop.count(), 3);
    EXPECT_EQ(loop.points[1].independent, 0);
    // Not a segment: nothing happens.
    TCvLine three = polyline({{0, 0}, {1, 0}, {2, 0}});
    three.InsertPoint(0, 2, 0.5);
    three.InsertPoint(2, 0, 0.5); // open: no wrap segment
    EXPECT_EQ(three.count(), 3);
}

TEST(Path, DoubleSelectedSplitsEverySelectedSegmentOnce) {
    std::mt19937 rng(5);
    for (int n = 0; n < 300; ++n) {
        TCvLine line = randomPath(rng, 2 + n % 6, n % 2);
        line.SelectAll(true);
        const TCvLine before = line;
        line.DoubleSelected(0.5);
        ASSERT_EQ(line.count(), before.count() + before.segmentCount());
        // Every original segment is now two, meeting at its midpoint.
        for (int i = 0; i < before.segmentCount(); ++i) {
            const Segment s = before.segment(i);
            const Segment a = line.segment(2 * i), b = line.segment(2 * i + 1);
            for (double t = 0; t <= 1; t += 0.25) {
                ASSERT_TRUE(coordNear(evaluate(a, t), evaluate(s, t / 2), 1e-9));
                ASSERT_TRUE(coordNear(evaluate(b, t), evaluate(s, 0.5 + t / 2), 1e-9));
            }
        }
    }
    TCvLine partly = polyline({{0, 0}, {2, 0}, {4, 0}, {6, 0}});
    selectAnchors(partly, {1, 2});
    partly.DoubleSelected(0.5);
    ASSERT_EQ(partly.count(), 5);
    EXPECT_EQ(partly.points[2].anchor, (TCvCoord{3, 0}));
}

TEST(Path, RemoveSelectedPointsOpensAPathLeftWithOneAnchor) {
    TCvLine loop = polyline({{0, 0}, {1, 0}, {1, 1}}, true);
    selectAnchors(loop, {0, 2});
    loop.RemoveSelectedPoints();
    EXPECT_EQ(loop.count(), 1);
    EXPECT_EQ(loop.closed, 0);
}

TEST(Path, MinimizeRemovesOnlySelectedRedundantAnchors) {
    TCvLine two = polyline({{0, 0}, {1, 0}});
    two.SelectAll(true);
    two.Minimize();
    EXPECT_EQ(two.count(), 2);

    TCvLine run = polyline({{0, 0}, {1, 0}, {3, 0}});
    run.Minimize();
    EXPECT_EQ(run.count(), 3);
    run.SelectAll(true);
    run.Minimize();
    ASSERT_EQ(run.count(), 2); // the ends of an open path stay
    EXPECT_EQ(run.LastAnchor(), (TCvCoord{3, 0}));

    // A curve split in two merges back into the original segment.
    const TCvLine original = curve({{{0, 0}, {0, 0}, {1, 3}}, {{5, 0}, {4, 3}, {5, 0}}});
    TCvLine split = original;
    split.InsertPoint(0, 1, 0.3);
    split.SelectAll(true);
    split.Minimize();
    ASSERT_EQ(split.count(), 2);
    EXPECT_TRUE(coordNear(split.points[0].outHandle, {1, 3}, 1e-9));
    EXPECT_TRUE(coordNear(split.points[1].inHandle, {4, 3}, 1e-9));

    // A genuine corner is kept.
    TCvLine corner = polyline({{0, 0}, {1, 1}, {2, 0}});
    corner.SelectAll(true);
    corner.Minimize();
    EXPECT_EQ(corner.count(), 3);

    // A closed square with midpoints loses exactly the midpoints.
    TCvLine square = polyline({{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 1}}, true);
    square.SelectAll(true);
    square.Minimize();
    EXPECT_EQ(square.count(), 4);
}

TEST(Path, NearestPointPrefersStrictlyCloserCandidates) {
    TCvLine line = polyline({{0, 0}, {1, 0}, {1, 0}, {5, 0}});
    TCvCoord hit;
    EXPECT_EQ(line.NearestPoint({1.1, 0}, 0.5, true, true, false, &hit), 1); // tie: first
    EXPECT_EQ(hit, (TCvCoord{1, 0}));
    EXPECT_EQ(line.NearestPoint({5, 0}, 0.5, false, true, false), -1); // last left out
    line.points[1].selected = line.points[2].selected = 1;
    EXPECT_EQ(line.NearestPoint({1, 0}, 0.5, true, false, false), -1); // selected left out
    // A selected anchor's handle competes by |dx| + |dy|.
    line.points[3].selected = 1;
    line.points[3].inHandle = {4, 1};
    EXPECT_EQ(line.NearestPoint({4, 0.9}, 0.5, true, true, true, &hit), 3);
    EXPECT_EQ(hit, (TCvCoord{4, 1}));
}

TEST(Path, EqualityIgnoresOnlyThePathSelection) {
    TCvLine a = polyline({{0, 0}, {1, 0}});
    TCvLine b = a;
    b.selected = 1;
    EXPECT_EQ(a, b);
    b.name = "x";
    EXPECT_NE(a, b);
    b = a;
    b.points[0].independent = 1;
    EXPECT_NE(a, b);
    b = a;
    b.locked = 1;
    EXPECT_NE(a, b);
}

TEST(Path, TransformMovesHandlesWithAnchors) {
    TCvLine line = curve({{{1, 0}, {1, -1}, {1, 1}}});
    line.Transform({0, 0}, {0, 1}, {-1, 0}); // quarter turn
    EXPECT_EQ(line.points[0].anchor, (TCvCoord{0, 1}));
    EXPECT_EQ(line.points[0].inHandle, (TCvCoord{1, 1}));
    EXPECT_EQ(line.points[0].outHandle, (TCvCoord{-1, 1}));
    line.Scale(2, -1);
    EXPECT_EQ(line.points[0].anchor, (TCvCoord{0, -1}));
    line.points[0].selected = 0;
    line.TranslateSelected({5, 5});
    EXPECT_EQ(line.points[0].anchor, (TCvCoord{0, -1}));
    EXPECT_TRUE(line.AnyPointIn({1, -2}, {-1, 0}));
    EXPECT_FALSE(line.AnyPointIn({1, 2}, {-1, 0}));
}

TEST(Path, MergeHoleBridgesTwoClosedOutlines) {
    TCvLine outer = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    const TCvLine inner = polyline({{7, 7}, {9, 7}, {9, 9}, {7, 9}}, true);
    outer.MergeHole(inner);
    // Outer from (10,10) round to itself, then the hole from (9,9) round to itself.
    ASSERT_EQ(outer.count(), 10);
    EXPECT_EQ(outer.closed, 1);
    EXPECT_EQ(outer.FirstAnchor(), (TCvCoord{10, 10}));
    EXPECT_EQ(outer.points[4].anchor, (TCvCoord{10, 10}));
    EXPECT_EQ(outer.points[5].anchor, (TCvCoord{9, 9}));
    EXPECT_EQ(outer.LastAnchor(), (TCvCoord{9, 9}));
    EXPECT_TRUE(outer.segment(4).straight()); // the bridge
}

TEST(Path, MergeHoleJoinsOpenPathsAtTheirNearestEnds) {
    TCvLine a = polyline({{0, 0}, {5, 0}});
    const TCvLine b = polyline({{9, 0}, {6, 0}});
    a.MergeHole(b);
    ASSERT_EQ(a.count(), 4);
    EXPECT_EQ(a.points[2].anchor, (TCvCoord{6, 0}));
    EXPECT_EQ(a.LastAnchor(), (TCvCoord{9, 0}));
    // Meeting at a shared anchor drops the duplicate.
    TCvLine c = polyline({{0, 0}, {5, 0}});
    c.MergeHole(polyline({{5, 0}, {5, 5}}));
    EXPECT_EQ(c.count(), 3);
}

// A failed comparison must show the coordinates, down to the digit that differs.
TEST(PrintTo, PathsPrintTheirAnchorsAndFlags) {
    TCvLine line = plumex::testing::polyline({{0.1, -2}, {3, 4}}, true);
    line.name = "rim";
    line.points[1].selected = 1;
    const std::string text = ::testing::PrintToString(line);
    EXPECT_NE(text.find("closed path \"rim\" of 2 anchors"), std::string::npos) << text;
    EXPECT_NE(text.find("0: (0.10000000000000001, -2)"), std::string::npos) << text;
    EXPECT_NE(text.find("1: (3, 4) [(3, 4) (3, 4)] selected"), std::string::npos) << text;
    EXPECT_EQ(::testing::PrintToString(TCvRect{1, 2, 3, 0.5}),
              "{left 1, top 2, right 3, bottom 0.5}");
    EXPECT_EQ(::testing::PrintToString(std::vector<TCvCoord>{{1, 2}}), "{ (1, 2) }");
}
