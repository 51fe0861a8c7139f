#include "commands/BooleanCommands.h"
#include "geometry/PathArea.h"
#include "testing.h"

#include <cmath>

using namespace plumex;
using plumex::testing::polyline;

namespace {

TCvLine square(double x, double y, double side, const char* name) {
    TCvLine l = polyline({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}, true);
    l.name = name;
    return l;
}

} // namespace

// The result takes the bottom operand's place and name and is selected; open and unselected
// paths stay where they were; one undo step brings the operands back.
TEST(CombineSelected, ReplacesTheOperandsAtTheBottomOnesPlaceInOneUndoStep) {
    TCvDocument doc;
    doc.Lines.push_back(square(10, 10, 1, "other"));
    doc.Lines.push_back(square(0, 0, 2, "bottom"));
    doc.Lines.push_back(polyline({{0, 5}, {1, 6}}));
    doc.Lines.push_back(square(1, 1, 2, "top"));
    TCvLine locked = square(0.5, 0.5, 2, "locked");
    locked.locked = 1;
    doc.Lines.push_back(locked);
    for (std::size_t i = 1; i < 5; ++i) doc.Lines.edit()[i].selected = 1;
    doc.SelectionChanged();
    const std::vector<TCvLine> before = doc.Lines;

    ASSERT_TRUE(CanCombineSelected(doc, BooleanOperation::Difference));
    const BooleanOutcome outcome = CombineSelected(doc, BooleanOperation::Difference);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.openPathsLeft, 1);
    ASSERT_EQ(doc.Lines.size(), 4u);
    EXPECT_EQ(doc.Lines[0].name, "other");
    const TCvLine& result = doc.Lines[1];
    EXPECT_EQ(result.name, "bottom");
    EXPECT_TRUE(result.selected && result.closed);
    EXPECT_NEAR(std::abs(signedArea(result)), 3.0, 1e-12);
    EXPECT_FALSE(doc.Lines[2].closed); // the open path, where it was
    EXPECT_EQ(doc.Lines[3].name, "locked");
    EXPECT_FALSE(doc.Lines[0].selected || doc.Lines[2].selected);

    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, before);
}

// Shapes apart have no intersection: the operands must not be replaced by nothing.
TEST(CombineSelected, AnEmptyResultKeepsTheOperands) {
    TCvDocument doc;
    doc.Lines.push_back(square(0, 0, 1, "a"));
    doc.Lines.push_back(square(5, 0, 1, "b"));
    doc.SelectAll();
    const std::vector<TCvLine> before = doc.Lines;
    const BooleanOutcome outcome = CombineSelected(doc, BooleanOperation::Intersection);
    EXPECT_TRUE(outcome.emptyResult);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(doc.Lines, before);
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
    // A hole as large as the shape leaves nothing either.
    doc.Lines.edit()[1] = square(0, 0, 1, "b");
    doc.Lines.edit()[1].selected = 1;
    EXPECT_TRUE(CombineSelected(doc, BooleanOperation::Difference).emptyResult);
    EXPECT_EQ(doc.Lines.size(), 2u);
}

TEST(CombineSelected, NeedsTwoClosedPathsOrOneSelfOverlappingForUnion) {
    TCvDocument doc;
    doc.Lines.push_back(square(0, 0, 2, "a"));
    doc.Lines.push_back(polyline({{0, 5}, {1, 6}}));
    doc.SelectAll();
    for (int op = 0; op < 5; ++op)
        EXPECT_FALSE(CanCombineSelected(doc, static_cast<BooleanOperation>(op))) << op;
    EXPECT_FALSE(CombineSelected(doc, BooleanOperation::Union).changed);
    EXPECT_EQ(doc.Lines.size(), 2u);
    // A bow tie crosses itself: Union resolves it, the others still want two paths.
    doc.Lines.edit()[0] = polyline({{0, 0}, {2, 2}, {2, 0}, {0, 2}}, true);
    doc.Lines.edit()[0].selected = 1;
    EXPECT_TRUE(CanCombineSelected(doc, BooleanOperation::Union));
    EXPECT_FALSE(CanCombineSelected(doc, BooleanOperation::Difference));
    ASSERT_TRUE(CombineSelected(doc, BooleanOperation::Union).changed);
    double area = 0;
    for (const TCvLine& l : doc.Lines)
        if (l.closed) area += std::abs(signedArea(l));
    EXPECT_NEAR(area, 2.0, 1e-12);
}
