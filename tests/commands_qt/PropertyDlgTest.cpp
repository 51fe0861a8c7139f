#include "commands/qt/TPropertyDlg.h"

#include "model/Document.h"
#include "testing.h"

#include <QListWidget>
#include <QTableWidget>

using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

struct PanelFixture : ::testing::Test {
    TCvDocument doc;
    TPropertyDlg panel;
    std::vector<std::string> errors;
    int edits = 0;

    void SetUp() override {
        doc.Lines = {polyline({{0, 0}, {1, 0}}), curve({{{2, 3}, {2, 3}, {2, 4.5}}}, true),
                     polyline({{9, 9}})};
        doc.Lines[0].SelectAll(true);
        doc.Lines[1].SelectAll(true);
        panel.SetDocument(&doc);
        panel.showError = [this](const std::string& m) { errors.push_back(m); };
        panel.onEdited = [this] { ++edits; };
        panel.LoadPaths();
    }
    QString cell(int r, int c) { return panel.SGPoints->item(r, c)->text(); }
};

TEST_F(PanelFixture, ListsSelectedPathsAndShowsTheFirst) {
    ASSERT_EQ(panel.LBLines->count(), 2);
    EXPECT_EQ(panel.LBLines->item(1)->text(), "(Untitled)<1 Pts, Closed>");
    EXPECT_EQ(panel.ShownPath(), 0);
    EXPECT_EQ(panel.SGPoints->rowCount(), 2);
    EXPECT_EQ(panel.SGPoints->horizontalHeaderItem(4)->text(), "Cotrol2.x");
    panel.LBLines->setCurrentRow(1);
    EXPECT_EQ(panel.ShownPath(), 1);
    EXPECT_EQ(cell(0, 4), "--");
    EXPECT_EQ(cell(0, 5), "4.5");
}

TEST_F(PanelFixture, TypedCoordinateIsOneUndoStepAndFollowsInTheGrid) {
    ASSERT_TRUE(panel.CommitCell(1, 2, "2.25"));
    EXPECT_EQ(doc.Lines[0].points[1].anchor, (TCvCoord{2.25, 0}));
    EXPECT_EQ(cell(1, 2), "2.25");
    EXPECT_EQ(edits, 1);
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines[0].points[1].anchor, (TCvCoord{1, 0}));
    EXPECT_FALSE(doc.Undo(pen));
}

TEST_F(PanelFixture, TextThatIsNotANumberIsRefused) {
    EXPECT_FALSE(panel.CommitCell(0, 0, "1e999"));
    EXPECT_FALSE(panel.CommitCell(0, 0, "abc"));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "'abc' is not a valid floating point value");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(edits, 0);
}

TEST_F(PanelFixture, RenameKeepsTheShownPathAndRowSelectionPicksAnchors) {
    panel.LBLines->setCurrentRow(1);
    ASSERT_TRUE(panel.CommitName(1, "Lid"));
    EXPECT_EQ(doc.Lines[1].name, "Lid");
    EXPECT_EQ(panel.LBLines->item(1)->text(), "Lid<1 Pts, Closed>");
    EXPECT_EQ(panel.ShownPath(), 1);

    std::vector<int> chosen;
    int chosenLine = -1;
    panel.onAnchorsChosen = [&](int line, const std::vector<int>& anchors) {
        chosenLine = line;
        chosen = anchors;
    };
    panel.LBLines->setCurrentRow(0);
    panel.SGPoints->selectRow(1);
    EXPECT_EQ(chosenLine, 0);
    EXPECT_EQ(chosen, std::vector<int>{1});
}

TEST_F(PanelFixture, CanvasAnchorSelectionShowsAsRows) {
    doc.Lines[0].points[0].selected = 0;
    panel.LoadPaths();
    const auto rows = panel.SGPoints->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].row(), 1);
}

} // namespace
