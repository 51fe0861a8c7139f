#include "commands/ImportPaths.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::polyline;

TEST(ImportPaths, AddsSelectedPathsOnTopAsOneUndoStep) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}, {1, 0}}), polyline({{5, 5}, {6, 6}})};
    doc.Lines[0].SelectAll(true);
    doc.SelectionChanged();
    const std::vector<TCvLine> before = doc.Lines;

    TCvLine hidden = polyline({{2, 2}, {3, 2}, {3, 4}}, true);
    hidden.visible = 0;
    ASSERT_TRUE(ImportPaths(doc, {hidden, polyline({{-1, -1}, {-2, -2}})}));
    ASSERT_EQ(doc.Lines.size(), 4u);
    EXPECT_FALSE(doc.Lines[0].selected); // the old selection gives way
    EXPECT_TRUE(doc.Lines[2].selected && doc.Lines[2].visible);
    EXPECT_TRUE(doc.Lines[3].selected);
    EXPECT_EQ(doc.SelectionBounds.left, -2);
    EXPECT_EQ(doc.SelectionBounds.top, 4);
    EXPECT_TRUE(doc.IsModified());

    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, before);
    EXPECT_FALSE(doc.UndoBuffer.CanUndo());
}

TEST(ImportPaths, NothingToImportChangesNothing) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}, {1, 0}})};
    EXPECT_FALSE(ImportPaths(doc, {}));
    EXPECT_FALSE(doc.IsModified());
}
