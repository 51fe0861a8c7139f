#include "commands/PropertyGrid.h"
#include "testing.h"

#include <limits>

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::polyline;

TEST(PropertyGrid, RetractedAndPartlyRetractedHandlesShowDashes) {
    const TCvLine straight = polyline({{1.5, 2}});
    for (int c : {0, 1, 4, 5}) EXPECT_EQ(PropertyCellText(straight.points[0], c), "--");
    EXPECT_EQ(PropertyCellText(straight.points[0], 2), "1.5");
    EXPECT_EQ(PropertyCellText(straight.points[0], 3), "2");

    // The in-handle differs from the anchor only in y; x and y are judged apart.
    const TCvLine bent = curve({{{1, 2}, {1, 2.123456}, {0.25, 2}}});
    EXPECT_EQ(PropertyCellText(bent.points[0], 0), "--");
    EXPECT_EQ(PropertyCellText(bent.points[0], 1), "2.1235");
    EXPECT_EQ(PropertyCellText(bent.points[0], 4), "0.25");
    EXPECT_EQ(PropertyCellText(bent.points[0], 5), "--");
    EXPECT_EQ(PropertyCellValue(bent.points[0], 5), 2.0);
}

TEST(PropertyGrid, ListTextNamesCountAndState) {
    EXPECT_EQ(PropertyItemText(polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true)),
              "(Untitled)<4 Pts, Closed>");
    TCvLine named = polyline({{0, 0}, {1, 0}});
    named.name = "Prism2";
    EXPECT_EQ(PropertyItemText(named), "Prism2<2 Pts, Open>");
    EXPECT_STREQ(PropertyHeader(0), "Cotrol1.x");
    EXPECT_STREQ(PropertyHeader(3), "Location.y");
}

TEST(PropertyGrid, AnchorEditCarriesHandlesAndUndoes) {
    TCvDocument doc;
    doc.Lines = {curve({{{0, 0}, {0, 0}, {1, 1}}, {{4, 0}, {4, 0}, {4, 0}}})};
    const auto saved = doc.Lines;
    ASSERT_TRUE(SetPointCoordinate(doc, 0, 0, 2, 10));
    const TCvPoint& p = doc.Lines[0].points[0];
    EXPECT_EQ(p.anchor, (TCvCoord{10, 0}));
    EXPECT_EQ(p.inHandle, (TCvCoord{10, 0})); // still retracted
    EXPECT_EQ(p.outHandle, (TCvCoord{11, 1}));
    const auto edited = doc.Lines;

    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, saved);
    ASSERT_TRUE(doc.Redo(pen));
    EXPECT_EQ(doc.Lines, edited);
}

TEST(PropertyGrid, RetractedHandleEditStartsFromTheAnchor) {
    TCvDocument doc;
    doc.Lines = {polyline({{3, 4}, {5, 4}})};
    ASSERT_TRUE(SetPointCoordinate(doc, 0, 1, 5, 7));
    const TCvPoint& p = doc.Lines[0].points[1];
    EXPECT_EQ(p.outHandle, (TCvCoord{5, 7}));
    EXPECT_EQ(p.anchor, (TCvCoord{5, 4}));
    EXPECT_EQ(p.independent, 1);
}

TEST(PropertyGrid, RefusedEditsChangeNothingAndRecordNothing) {
    TCvDocument doc;
    doc.Lines = {polyline({{3, 4}})};
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 0, 2, 3)); // same value
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 0, 2, inf));
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 0, 2, std::nan("")));
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 1, 2, 1)); // no such anchor
    EXPECT_FALSE(SetPointCoordinate(doc, 1, 0, 2, 1)); // no such path
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 0, 6, 1)); // no such column
    doc.Lines[0].points[0].outHandle = {1e308, 4};
    EXPECT_FALSE(SetPointCoordinate(doc, 0, 0, 2, 1.7e308)); // would push the handle past range
    EXPECT_FALSE(doc.IsModified());
}

TEST(PropertyGrid, RenameIsOneStep) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}})};
    EXPECT_FALSE(RenamePath(doc, 0, ""));
    ASSERT_TRUE(RenamePath(doc, 0, "Lid"));
    EXPECT_EQ(doc.Lines[0].name, "Lid");
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].name, "");
    EXPECT_FALSE(doc.Undo(pen));
}
