#include "commands/AnchorCommands.h"
#include "testing.h"

#include <cmath>
#include <functional>

using namespace plumex;
using plumex::testing::A3;
using plumex::testing::coordNear;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

TCvLine selecting(TCvLine line, std::initializer_list<int> anchors) {
    for (int i : anchors)
        line.points[static_cast<std::size_t>(i < 0 ? line.count() + i : i)].selected = 1;
    line.UpdateSelected();
    return line;
}

TCvLine named(TCvLine line, std::string name) {
    line.name = std::move(name);
    return line;
}

// Runs a command that must change the drawing into `expected`, then checks that one undo step
// brings back exactly the drawing it started from.
void applyAndUndo(TCvDocument& doc, const std::function<bool(TCvDocument&)>& command,
                  const std::vector<TCvLine>& expected) {
    const std::vector<TCvLine> saved = doc.Lines;
    ASSERT_TRUE(command(doc));
    EXPECT_EQ(doc.Lines, expected);
    const std::vector<TCvLine> after = doc.Lines;
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, saved);
    EXPECT_FALSE(doc.UndoBuffer.CanUndo()) << "more than one undo step";
    ASSERT_TRUE(doc.Redo(pen));
    EXPECT_EQ(doc.Lines, after);
}

// A command that finds nothing to do records nothing.
void expectNoChange(TCvDocument& doc, const std::function<bool(TCvDocument&)>& command) {
    const std::vector<TCvLine> saved = doc.Lines;
    EXPECT_FALSE(command(doc));
    EXPECT_EQ(doc.Lines, saved);
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
}

auto join(JoinShape shape, double range) {
    return [=](TCvDocument& d) { return JoinEndAnchors(d, shape, range); };
}

} // namespace

TEST(JoinEndAnchors, CoincidentEndsMergeWithoutMovingAndGoToTheFront) {
    const TCvLine a = curve({{{0, 0}, {-1, 0}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}});
    const TCvLine b = curve({{{2, 0}, {3, 3}, {3, -3}}, {{4, 0}, {4, 1}, {4, -1}}});
    TCvDocument doc;
    doc.Lines = {named(polyline({{9, 9}, {8, 8}}), "other"), selecting(a, {-1}), selecting(b, {0})};
    ASSERT_TRUE(CanJoinEndAnchors(doc));
    TCvLine joined = curve({{{0, 0}, {-1, 0}, {0, 1}},
                            {{2, 0}, {2, 1}, {3, -3}}, // a's in-handle, b's out-handle
                            {{4, 0}, {4, 1}, {4, -1}}});
    applyAndUndo(doc, join(JoinShape::Curved, 0), {selecting(joined, {1}), doc.Lines[0]});
    EXPECT_EQ(doc.Lines[0].points[1].independent, 1);
    // The same pair found from the other side: b's end is its first anchor, a's its last.
    doc = TCvDocument{};
    doc.Lines = {selecting(b, {0}), selecting(a, {-1})};
    ASSERT_TRUE(JoinEndAnchors(doc, JoinShape::Curved, 0));
    ASSERT_EQ(doc.Lines.size(), 1u);
    EXPECT_EQ(doc.Lines[0].count(), 3);
    EXPECT_EQ(doc.Lines[0].points[1].anchor, (TCvCoord{2, 0}));
}

TEST(JoinEndAnchors, ApartEndsGetACurvedOrStraightSegment) {
    const TCvLine a = curve({{{0, 0}, {-1, 0}, {1, 0}}, {{2, 0}, {1.5, 1}, {2.5, -1}}});
    const TCvLine b = curve({{{5, 0}, {4, 1}, {6, -1}}, {{7, 0}, {6, 0}, {8, 0}}});
    TCvDocument doc;
    doc.Lines = {selecting(a, {-1}), selecting(b, {0})};
    TCvLine curved = a;
    curved.points.insert(curved.points.end(), b.points.begin(), b.points.end());
    curved = selecting(curved, {1, 2});
    applyAndUndo(doc, join(JoinShape::Curved, 0), {curved});
    // Straight: the handles of the new segment lie on their anchors.
    doc = TCvDocument{};
    doc.Lines = {selecting(a, {-1}), selecting(b, {0})};
    TCvLine straight = curved;
    straight.points[1].outHandle = straight.points[1].anchor;
    straight.points[1].independent = 1;
    straight.points[2].inHandle = straight.points[2].anchor;
    straight.points[2].independent = 1;
    applyAndUndo(doc, join(JoinShape::Straight, 0), {straight});
    // Selected first anchors: both paths turn so that the chosen ends meet.
    doc = TCvDocument{};
    doc.Lines = {selecting(a, {0}), selecting(b, {-1})};
    ASSERT_TRUE(JoinEndAnchors(doc, JoinShape::Straight, 0));
    ASSERT_EQ(doc.Lines.size(), 1u);
    std::vector<double> xs;
    for (const TCvPoint& p : doc.Lines[0].points) xs.push_back(p.anchor.x);
    EXPECT_EQ(xs, (std::vector<double>{2, 0, 7, 5}));
    EXPECT_TRUE(doc.Lines[0].segment(1).straight());
}

TEST(JoinEndAnchors, BothEndsOfOnePathCloseIt) {
    TCvDocument doc;
    const TCvLine open = polyline({{0, 0}, {1, 0}, {1, 1}});
    doc.Lines = {selecting(open, {0, -1})};
    TCvLine ring = selecting(open, {0, -1});
    ring.closed = 1;
    applyAndUndo(doc, join(JoinShape::Curved, 0), {ring});
    // Ends at one place: the last anchor is dropped, its in-handle kept by the first.
    const TCvLine loop =
        curve({{{0, 0}, {0, 0}, {1, 0}}, {{1, 1}, {1, 0}, {0, 1}}, {{0, 0}, {-1, 0}, {0, 0}}});
    doc = TCvDocument{};
    doc.Lines = {selecting(loop, {0, -1})};
    TCvLine closed = curve({{{0, 0}, {-1, 0}, {1, 0}}, {{1, 1}, {1, 0}, {0, 1}}}, true);
    applyAndUndo(doc, join(JoinShape::Curved, 0), {selecting(closed, {0})});
    EXPECT_EQ(doc.Lines[0].points[0].independent, 0);
}

TEST(JoinEndAnchors, ThreeEndsWithoutAPairDoNothing) {
    TCvDocument doc;
    doc.Lines = {selecting(polyline({{0, 0}, {1, 0}}), {0, 1}),
                 selecting(polyline({{5, 0}, {6, 0}}), {0})};
    EXPECT_EQ(CountSelectedEndAnchors(doc), 3);
    EXPECT_FALSE(CanJoinEndAnchors(doc));
    expectNoChange(doc, join(JoinShape::Curved, 0));
    expectNoChange(doc, join(JoinShape::Straight, 0));
    // With two of three at one place the pair joins.
    doc.Lines[1] = selecting(polyline({{1, 0}, {6, 0}}), {0});
    EXPECT_TRUE(CanJoinEndAnchors(doc));
    ASSERT_TRUE(JoinEndAnchors(doc, JoinShape::Curved, 0));
    EXPECT_EQ(doc.Lines.size(), 1u);
    EXPECT_EQ(doc.Lines[0].count(), 3);
}

TEST(JoinEndAnchors, NearRangeMovesBothEndsToTheirMidpoint) {
    const TCvLine a = curve({{{0, 0}, {0, 0}, {0, 0}}, {{1, 0}, {0.5, 0.5}, {1.5, -0.5}}});
    const TCvLine b = curve({{{1.05, 0}, {1, 1}, {1.1, 1}}, {{3, 0}, {3, 0}, {3, 0}}});
    TCvDocument doc;
    doc.Lines = {selecting(a, {-1}), selecting(b, {0})};
    ASSERT_TRUE(JoinEndAnchors(doc, JoinShape::Curved, 0.1));
    ASSERT_EQ(doc.Lines.size(), 1u);
    const TCvPoint& m = doc.Lines[0].points[1];
    EXPECT_TRUE(coordNear(m.anchor, {1.025, 0}, 1e-12));
    EXPECT_TRUE(coordNear(m.inHandle, {0.525, 0.5}, 1e-12)); // a's, moved with its anchor
    EXPECT_TRUE(coordNear(m.outHandle, {1.075, 1}, 1e-12));  // b's, moved with its anchor
    // Ends 0.2 apart stay where they are, and no undo step is left behind.
    TCvDocument far;
    TCvLine b2 = b;
    b2.Translate({0.15, 0});
    far.Lines = {selecting(a, {-1}), selecting(b2, {0})};
    expectNoChange(far, join(JoinShape::Curved, 0.1));
    EXPECT_TRUE(AnySelectedOpenPath(far));
}

TEST(SeparateAnchors, SplitsOpenPathsAndOpensClosedOnes) {
    TCvDocument doc;
    const TCvLine three = polyline({{0, 0}, {1, 1}, {2, 0}});
    doc.Lines = {selecting(three, {1})};
    EXPECT_TRUE(CanSeparateAnchors(doc));
    TCvLine left = selecting(polyline({{0, 0}, {1, 1}}), {1});
    TCvLine right = selecting(polyline({{1, 1}, {2, 0}}), {0});
    applyAndUndo(doc, [](TCvDocument& d) { return SeparateAnchors(d); }, {left, right});

    doc = TCvDocument{};
    const TCvLine square = polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    doc.Lines = {selecting(square, {2})};
    TCvLine opened = selecting(polyline({{1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}}), {0, -1});
    applyAndUndo(doc, [](TCvDocument& d) { return SeparateAnchors(d); }, {opened});

    // Two anchors of a ring: opened at the first, split again at the second.
    doc = TCvDocument{};
    doc.Lines = {selecting(square, {0, 2})};
    ASSERT_TRUE(SeparateAnchors(doc));
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].count(), 3);
    EXPECT_EQ(doc.Lines[1].count(), 3);
    EXPECT_EQ(doc.Lines[0].LastAnchor(), doc.Lines[1].FirstAnchor());

    // Only end anchors selected: nothing to separate.
    doc = TCvDocument{};
    doc.Lines = {selecting(three, {0, 2})};
    EXPECT_FALSE(CanSeparateAnchors(doc));
    expectNoChange(doc, [](TCvDocument& d) { return SeparateAnchors(d); });
}

TEST(SmoothAnchors, HandlesAlongTheLineAreFourTenthsOfTheSpacing) {
    TCvDocument doc;
    doc.Lines = {selecting(polyline({{0, 0}, {2, 0}, {4, 0}}), {1})};
    ASSERT_TRUE(SmoothAnchors(doc));
    const TCvPoint& p = doc.Lines[0].points[1];
    // The handles run along the line; which way round follows the angle rule.
    EXPECT_NEAR(std::abs(p.outHandle.x - 2), 0.8, 1e-12);
    EXPECT_NEAR(p.outHandle.y, 0, 1e-12);
    EXPECT_TRUE(coordNear(p.inHandle, mirror(p.outHandle, p.anchor), 1e-12));
    EXPECT_EQ(p.independent, 0);
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].points[1].outHandle, (TCvCoord{2, 0}));
}

TEST(SmoothAnchors, FirstAnchorOfAnOpenPathUsesTheLastAsItsPrevious) {
    // (0,0) with next (1,0) and, wrapping round, previous (0,1): the bisector points away
    // from both, so the handles lie on the line x = -y.
    TCvDocument doc;
    doc.Lines = {selecting(polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), {0})};
    ASSERT_TRUE(SmoothAnchors(doc));
    const TCvPoint& p = doc.Lines[0].points[0];
    EXPECT_NEAR(p.outHandle.x, -p.outHandle.y, 1e-12);
    const double len = length(p.outHandle);
    // c = cos(pi/4): c * 1 * 0.5523 is below 0.4 * 1.
    EXPECT_NEAR(len, 0.552284749830793 / std::sqrt(2.0), 1e-12);
}

TEST(SmoothAnchors, CornerThenSmoothGivesSymmetricHandlesAgain) {
    TCvDocument doc;
    doc.Lines = {selecting(
        curve({{{0, 0}, {0, 0}, {0, 0}}, {{1, 1}, {0.5, 1.5}, {2, 1}}, {{2, 0}, {2, 0}, {2, 0}}}),
        {1})};
    ASSERT_TRUE(CornerAnchors(doc));
    EXPECT_EQ(doc.Lines[0].points[1].inHandle, (TCvCoord{1, 1}));
    EXPECT_EQ(doc.Lines[0].points[1].outHandle, (TCvCoord{1, 1}));
    EXPECT_FALSE(CornerAnchors(doc)); // already a corner: nothing recorded
    ASSERT_TRUE(SmoothAnchors(doc));
    const TCvPoint& p = doc.Lines[0].points[1];
    EXPECT_TRUE(coordNear(p.inHandle, mirror(p.outHandle, p.anchor), 1e-12));
    EXPECT_NEAR(p.outHandle.y, 1, 1e-12); // horizontal: the neighbours are symmetric
    EXPECT_GT(distance(p.outHandle, p.anchor), 0.5);
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].points[1].outHandle, (TCvCoord{2, 1}));
}

TEST(RemoveAnchors, RecordsUpFrontAndDropsEmptiedPaths) {
    TCvDocument doc;
    const TCvLine ring = polyline({{0, 0}, {1, 0}, {1, 1}}, true);
    doc.Lines = {selecting(ring, {0, 1}), selecting(polyline({{5, 5}}), {0}),
                 polyline({{7, 7}, {8, 8}})};
    TCvLine left = polyline({{1, 1}}); // one anchor left: no longer closed
    applyAndUndo(doc, [](TCvDocument& d) { return RemoveAnchors(d); }, {left, doc.Lines[2]});
    EXPECT_EQ(doc.CountSelected(), 0);
    doc.DeselectAll();
    TCvDocument none;
    none.Lines = {ring};
    expectNoChange(none, [](TCvDocument& d) { return RemoveAnchors(d); });
}

TEST(DoubleAndMinimize, MinimizeTakesBackWhatDoubleAdded) {
    const TCvLine wave =
        curve({{{0, 0}, {-1, -1}, {1, 1}}, {{3, 0}, {2, 1}, {4, -1}}, {{6, 0}, {5, -1}, {7, 1}}});
    TCvDocument doc;
    doc.Lines = {selecting(wave, {0, 1, 2})};
    ASSERT_TRUE(DoubleAnchors(doc));
    ASSERT_EQ(doc.Lines[0].count(), 5);
    EXPECT_TRUE(coordNear(doc.Lines[0].points[1].anchor, evaluate(wave.segment(0), 0.5), 1e-12));
    doc.Lines[0].SelectAll(true); // the new anchors come unselected
    ASSERT_TRUE(MinimizeAnchors(doc));
    ASSERT_EQ(doc.Lines[0].count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TCvPoint& p = doc.Lines[0].points[static_cast<std::size_t>(i)];
        const TCvPoint& q = wave.points[static_cast<std::size_t>(i)];
        EXPECT_TRUE(coordNear(p.inHandle, q.inHandle, 1e-9)) << i;
        EXPECT_TRUE(coordNear(p.outHandle, q.outHandle, 1e-9)) << i;
    }
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].count(), 5);
    doc = TCvDocument{};
    doc.Lines = {wave};
    expectNoChange(doc, [](TCvDocument& d) { return MinimizeAnchors(d); } /* nothing selected */);
}

TEST(ReverseHandles, SwapsSelectedOnlyAndLeavesHiddenPathsAlone) {
    const TCvLine line = curve({{{0, 0}, {-1, 0}, {1, 1}}, {{3, 0}, {2, 1}, {4, 0}}});
    TCvDocument doc;
    TCvLine hidden = selecting(line, {0, 1});
    hidden.selected = 0; // hidden paths keep their anchor selection
    hidden.visible = 0;
    doc.Lines = {selecting(line, {0}), hidden};
    TCvLine swapped = line;
    std::swap(swapped.points[0].inHandle, swapped.points[0].outHandle);
    swapped.points[0].selected = 1;
    applyAndUndo(doc, [](TCvDocument& d) { return ReverseHandles(d); }, {swapped, hidden});
    EXPECT_FALSE(CanSeparateAnchors(doc));
    EXPECT_FALSE(SingleSelectedAnchor(doc) == std::nullopt);
}

TEST(HandleClipboard, CopyFromOneAnchorPasteToAnother) {
    TCvDocument doc;
    doc.Lines = {selecting(curve({{{0, 0}, {-1, 2}, {3, 1}}, {{5, 5}, {5, 5}, {5, 5}}}), {0})};
    EXPECT_EQ(SingleSelectedAnchor(doc), (AnchorRef{0, 0}));
    const std::optional<TCvHandles> h = CopyHandle(doc);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->inOffset, (TCvCoord{-1, 2}));
    EXPECT_EQ(h->outOffset, (TCvCoord{3, 1}));
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
    TCvLine expected = doc.Lines[0];
    expected.points[1].inHandle = {4, 7};
    expected.points[1].outHandle = {8, 6};
    applyAndUndo(doc,
                 [&](TCvDocument& d) {
                     return PasteHandle(d, *h, AnchorRef{0, 1});
                 },
                 {expected});
    EXPECT_EQ(doc.Lines[0].points[1].independent, 0); // flags stay as they were
    // Two selected anchors: neither copy nor paste knows which one.
    doc.Lines[0].points[1].selected = 1;
    EXPECT_FALSE(CopyHandle(doc));
    EXPECT_FALSE(PasteHandle(doc, *h));
    EXPECT_FALSE(CopyHandle(doc, AnchorRef{0, 2}));
    EXPECT_FALSE(CopyHandle(doc, AnchorRef{1, 0}));
    // Offsets that would overflow are refused.
    doc.Lines[0].points[0].selected = 0;
    doc.Lines[0].points[1].anchor = {1e308, 0};
    EXPECT_FALSE(PasteHandle(doc, TCvHandles{{1e308, 0}, {0, 0}}));
}
