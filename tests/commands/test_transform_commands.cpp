#include "commands/AlignCommands.h"
#include "commands/TransformCommands.h"
#include "testing.h"

#include <cmath>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

TCvDocument docWith(std::vector<TCvLine> lines, std::initializer_list<int> selected) {
    TCvDocument doc;
    doc.Lines = std::move(lines);
    for (int i : selected) doc.Lines[static_cast<std::size_t>(i)].SelectAll(true);
    doc.SelectionChanged();
    return doc;
}

TCvLine named(TCvLine line, const char* name) {
    line.name = name;
    return line;
}

} // namespace

TEST(Rotation, QuarterTurnsAreExact) {
    for (double degrees : {90.0, -90.0, 180.0, 270.0, 360.0, -270.0, 450.0}) {
        const Axes a = rotationAxes(degrees * M_PI / 180);
        for (double v : {a.x.x, a.x.y, a.y.x, a.y.y})
            EXPECT_TRUE(v == 0 || v == 1 || v == -1) << degrees << " gives " << v;
    }
    // Positive angles turn clockwise with y up: the x axis goes down.
    EXPECT_EQ(rotationAxes(M_PI / 2).x, (TCvCoord{0, -1}));
    const Axes d45 = rotationAxes(M_PI / 4);
    EXPECT_DOUBLE_EQ(d45.x.x, std::cos(M_PI / 4));
    EXPECT_DOUBLE_EQ(d45.x.y, -std::sin(M_PI / 4));
}

// "Left" turns anticlockwise on screen (y up), "Right" clockwise, about the pivot in object
// mode and about the selection's centre otherwise.
TEST(TransformCommands, QuarterTurnPresetsTurnTheWayTheyAreNamed) {
    for (bool objectMode : {true, false}) {
        SCOPED_TRACE(objectMode);
        TCvDocument doc = docWith({polyline({{1, 0}, {-1, 0}})}, {0});
        doc.Pivot = {0, 0};
        ASSERT_TRUE(RotateByPreset(doc, true, objectMode));
        EXPECT_TRUE(coordNear(doc.Lines[0].FirstAnchor(), {0, 1}, 1e-12));
        EXPECT_TRUE(coordNear(doc.Lines[0].LastAnchor(), {0, -1}, 1e-12));
        ASSERT_TRUE(RotateByPreset(doc, false, objectMode));
        ASSERT_TRUE(RotateByPreset(doc, false, objectMode));
        EXPECT_TRUE(coordNear(doc.Lines[0].FirstAnchor(), {0, -1}, 1e-12));
        EXPECT_TRUE(coordNear(doc.Lines[0].LastAnchor(), {0, 1}, 1e-12));
    }
}

TEST(TransformCommands, ExpandMovesPathsLastRotateKeepsPlaces) {
    TCvDocument doc = docWith(
        {named(polyline({{0, 0}, {2, 2}}), "a"), named(polyline({{5, 5}, {6, 5}}), "b")}, {0});
    ASSERT_TRUE(ExpandByPreset(doc, ExpandPreset::DoubleSize));
    EXPECT_EQ(doc.Lines[1].name, "a");
    EXPECT_EQ(doc.Lines[1].FirstAnchor(), (TCvCoord{-1, -1}));
    EXPECT_EQ(doc.SelectionBounds, (TCvRect{-1, 3, 3, -1}));

    ASSERT_TRUE(RotateSelectionBy(doc, 90, {0, 0}, true));
    ASSERT_EQ(doc.Lines.size(), 3u);
    EXPECT_EQ(doc.Lines[1].name, "a"); // turned in place
    EXPECT_EQ(doc.Lines[1].FirstAnchor(), (TCvCoord{-1, 1}));
    EXPECT_EQ(doc.Lines[2].selected, 0); // the unturned copy, appended
    EXPECT_EQ(doc.Lines[2].FirstAnchor(), (TCvCoord{-1, -1}));

    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines.size(), 2u);
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].name, "a");
    EXPECT_EQ(doc.Lines[0].LastAnchor(), (TCvCoord{2, 2}));
}

TEST(TransformCommands, CommandsWithoutEffectRecordNothing) {
    TCvDocument doc = docWith({polyline({{0, 0}, {4, 0}})}, {0});
    EXPECT_FALSE(ExpandByPreset(doc, ExpandPreset::HeightToOne)); // flat line
    EXPECT_FALSE(ExpandSelection(doc, 0, 2, {0, 0}, false));
    EXPECT_FALSE(RotateSelectionBy(doc, 0, {0, 0}, false));
    EXPECT_FALSE(ShearSelection(doc, 0, false, {0, 0}, false));
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
    ASSERT_TRUE(ExpandByPreset(doc, ExpandPreset::WidthToOne));
    EXPECT_DOUBLE_EQ(doc.SelectionBounds.right - doc.SelectionBounds.left, 1);
}

TEST(TransformCommands, MoveToOriginAndFlipCarryThePivot) {
    TCvDocument doc = docWith({polyline({{2, 2}, {4, 6}})}, {0});
    doc.Pivot = {10, 10};
    ASSERT_TRUE(MoveToOrigin(doc, true, true));
    EXPECT_EQ(doc.SelectionBounds.left, 0);
    EXPECT_EQ(doc.SelectionBounds.bottom, 0);
    EXPECT_EQ(doc.Pivot, (TCvCoord{8, 8}));
    EXPECT_FALSE(MoveToOrigin(doc, true, true)); // already there
    ASSERT_TRUE(Flip(doc, FlipAxis::Horizontal));
    EXPECT_EQ(doc.Lines[0].FirstAnchor(), (TCvCoord{2, 0}));
    EXPECT_EQ(doc.Pivot, (TCvCoord{-6, 8}));
}

TEST(TransformCommands, ShearLimitsAndDirection) {
    EXPECT_TRUE(shearAngleAccepted(89.9));
    EXPECT_FALSE(shearAngleAccepted(90));
    EXPECT_FALSE(shearAngleAccepted(-90.5));
    EXPECT_FALSE(shearAngleAccepted(NAN));
    TCvDocument doc = docWith({polyline({{0, 0}, {0, 1}})}, {0});
    ASSERT_TRUE(ShearSelection(doc, 45, false, {0, 0}, false));
    EXPECT_TRUE(coordNear(doc.Lines[0].LastAnchor(), {1, 1}, 1e-12));
    TCvDocument v = docWith({polyline({{0, 0}, {1, 0}})}, {0});
    ASSERT_TRUE(ShearSelection(v, 45, true, {0, 0}, false));
    EXPECT_TRUE(coordNear(v.Lines[0].LastAnchor(), {1, -1}, 1e-12));
}

TEST(AlignCommands, AnchorsCentreOnTheirMean) {
    TCvLine line = polyline({{0, 0}, {0, 5}, {3, 9}});
    line.points[2].inHandle = {2, 9};
    TCvDocument doc = docWith({line}, {0});
    ASSERT_TRUE(AlignAnchors(doc, Align::Centre, Align::None));
    for (const TCvPoint& p : doc.Lines[0].points) EXPECT_EQ(p.anchor.x, 1);
    EXPECT_EQ(doc.Lines[0].points[2].inHandle, (TCvCoord{0, 9})); // handles travel along
    EXPECT_FALSE(AlignAnchors(doc, Align::Centre, Align::None));  // nothing moves: no step
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].LastAnchor(), (TCvCoord{3, 9}));
    ASSERT_TRUE(AlignAnchors(doc, Align::None, Align::Regular));
    EXPECT_EQ(doc.Lines[0].points[1].anchor.y, 4.5);
}

TEST(AlignCommands, ObjectsAlignToTheSelectionEdgesAndSpread) {
    TCvDocument doc = docWith(
        {polyline({{0, 0}, {1, 1}}), polyline({{4, 2}, {6, 3}}), polyline({{9, 0}, {10, 4}})},
        {0, 1, 2});
    ASSERT_TRUE(AlignObjects(doc, Align::Far, Align::Near));
    for (const TCvLine& l : doc.Lines) {
        EXPECT_EQ(l.GetBounds().right, 10);
        EXPECT_EQ(l.GetBounds().top, 4);
    }
    // Widths 1, 2, 1 in a span of 10 leave two gaps of 3.
    TCvDocument spread = docWith(
        {polyline({{0, 0}, {1, 1}}), polyline({{2, 0}, {4, 1}}), polyline({{9, 0}, {10, 1}})},
        {0, 1, 2});
    ASSERT_TRUE(AlignObjects(spread, Align::Regular, Align::None));
    EXPECT_EQ(spread.Lines[1].GetBounds().left, 4);
    // Too wide to fit: widths 6 in a span of 10 give gaps of -4, so they overlap.
    TCvDocument wide = docWith(
        {polyline({{0, 0}, {6, 1}}), polyline({{1, 0}, {7, 1}}), polyline({{4, 0}, {10, 1}})},
        {0, 1, 2});
    ASSERT_TRUE(AlignObjects(wide, Align::Regular, Align::None));
    EXPECT_EQ(wide.Lines[1].GetBounds().left, 2);
    TCvDocument one = docWith({polyline({{0, 0}, {6, 1}})}, {0});
    EXPECT_FALSE(AlignObjects(one, Align::Centre, Align::Centre));
}

TEST(TransformCommands, ResultsPastTheRangeOfADoubleAreRefused) {
    // An infinite coordinate would save to a file that cannot be read back.
    TCvDocument doc = docWith({polyline({{1e300, 0}, {2e300, 1}})}, {0});
    const std::vector<TCvLine> before = doc.Lines;
    EXPECT_FALSE(ExpandSelection(doc, 1e10, 1, {0, 0}, false));
    EXPECT_FALSE(ShearSelection(doc, 89, false, {0, -1e308}, false));
    EXPECT_EQ(doc.Lines, before);
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
    TCvDocument flat = docWith({polyline({{0, 0}, {1, 1e-320}})}, {0});
    EXPECT_FALSE(ExpandByPreset(flat, ExpandPreset::HeightToOne)); // a factor of 1e320
    EXPECT_FALSE(flat.UndoBuffer.CanUndo());
    EXPECT_TRUE(ExpandSelection(doc, 1.5, 1, {1.5e300, 0}, false)); // stays in range
}
