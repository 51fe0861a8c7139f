#include "commands/qt/TPropertyDlg.h"

#include "commands/PropertyGrid.h"
#include "model/Document.h"
#include "testing.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

using plumex::PropertyColumnCount;
using plumex::SetPointCoordinate;
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

std::vector<TCvCoord> coordinates(const std::vector<TCvLine>& lines) {
    std::vector<TCvCoord> out;
    for (const TCvLine& line : lines)
        for (const TCvPoint& p : line.points)
            out.insert(out.end(), {p.inHandle, p.anchor, p.outHandle});
    return out;
}

// The panel as the main window hosts it: rows chosen in the grid pick anchors on the canvas,
// and every change of the drawing reloads the panel, while the user clicks and types.
struct HostedPanel : PanelFixture {
    static inline std::vector<QString> warnings; // the item views' complaints
    QtMessageHandler previous = nullptr;

    void SetUp() override {
        PanelFixture::SetUp();
        warnings.clear();
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { warnings.push_back(m); });
        panel.onAnchorsChosen = [this](int line, const std::vector<int>& anchors) {
            TCvLine& path = doc.Lines[static_cast<size_t>(line)];
            for (TCvPoint& p : path.points) p.selected = 0;
            for (int i : anchors) path.points[static_cast<size_t>(i)].selected = 1;
            path.UpdateSelected();
            panel.LoadPaths();
        };
        panel.onEdited = [this] { panel.LoadPaths(); };
        panel.resize(900, 300);
        panel.show();
        panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        for (const QString& w : warnings)
            if (w.contains("editor")) ADD_FAILURE() << w.toStdString();
    }
    QPoint at(QAbstractItemView* view, int row, int column = 0) {
        return view->visualRect(view->model()->index(row, column)).center();
    }
    // Keys go to whatever has the focus, as the user's would.
    void type(const QString& text, Qt::KeyboardModifiers m = {}) {
        for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1(), m);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // Enter commits by a queued call
    }
    // What typing `value` into cell (row, column) of the first path must do, and nothing else.
    std::vector<TCvCoord> expected(int row, int column, double value) const {
        TCvDocument copy;
        copy.Lines = doc.Lines;
        SetPointCoordinate(copy, 0, row, column, value);
        return coordinates(copy.Lines);
    }
};

TEST_F(HostedPanel, ClickedCellTakesWhatIsTypedAsOneUndoStep) {
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < PropertyColumnCount; ++c) {
            SCOPED_TRACE(::testing::Message() << "cell " << r << "," << c);
            const std::vector<TCvCoord> before = coordinates(doc.Lines);
            const std::vector<TCvCoord> want = expected(r, c, 0.25);
            QTest::mouseClick(panel.SGPoints->viewport(), Qt::LeftButton, {},
                              at(panel.SGPoints, r, c));
            type("0.25");
            EXPECT_EQ(coordinates(doc.Lines), want);
            EXPECT_EQ(panel.SGPoints->currentIndex(), panel.SGPoints->model()->index(r, c));
            int pen = -1;
            ASSERT_TRUE(doc.Undo(pen));
            EXPECT_EQ(coordinates(doc.Lines), before);
            EXPECT_FALSE(doc.Undo(pen));
            panel.LoadPaths();
        }
}

TEST_F(HostedPanel, ArrowKeysAndDoubleClicksChooseWhatIsEdited) {
    QTest::mouseClick(panel.SGPoints->viewport(), Qt::LeftButton, {}, at(panel.SGPoints, 0, 0));
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
        QTest::keyClick(QApplication::focusWidget(), k);
    const std::vector<TCvCoord> want = expected(1, 2, -0.5);
    type("-0.5", Qt::KeypadModifier);
    EXPECT_EQ(coordinates(doc.Lines), want);

    // A double click as the window system sends it: a click, then a second press.
    auto doubleClick = [](QAbstractItemView* view, QPoint point) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, point);
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    };
    QLineEdit* editor = doubleClick(panel.SGPoints, at(panel.SGPoints, 0, 3));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "0");
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_NE(doubleClick(panel.LBLines, at(panel.LBLines, 1)), nullptr);
    type("Square");
    EXPECT_EQ(doc.Lines[1].name, "Square");
    EXPECT_EQ(panel.ShownPath(), 1);
}

// A panel closed while a cell is being typed into drops the edit rather than committing into
// itself half destroyed (or into a document already gone).
TEST(PropertyPanel, ClosingWithAnEditorOpenCommitsNothing) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}, {1, 0}})};
    doc.Lines[0].SelectAll(true);
    auto panel = std::make_unique<TPropertyDlg>();
    panel->SetDocument(&doc);
    panel->LoadPaths();
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    QTableWidget* grid = panel->SGPoints;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 2)).center());
    QTest::keyClick(grid, Qt::Key_5);
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    panel.reset();
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
