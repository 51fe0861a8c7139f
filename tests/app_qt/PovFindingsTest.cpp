// The pre-export findings in the export dialogs and the status bar.

#include "FormFixture.h"

#include "app/qt/MainStatusBar.h"
#include "app/qt/PovFindingsList.h"
#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

QStringList lines(const PovFindingsList* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Waits for the list's check on the worker thread to be shown.
bool settled(const PovFindingsList* list) {
    for (int wait = 0; wait < 1000 && list->checking(); ++wait) QTest::qWait(10);
    return !list->checking();
}

// Keeps every thread of the pool busy until released, so a check cannot start before the
// test lets it.
class BusyPool {
public:
    BusyPool() {
        for (int i = 0; i < QThreadPool::globalInstance()->maxThreadCount(); ++i)
            QThreadPool::globalInstance()->start([this] { gate_.acquire(); });
    }
    ~BusyPool() { release(); }
    void release() {
        gate_.release(QThreadPool::globalInstance()->maxThreadCount() - released_);
        released_ = QThreadPool::globalInstance()->maxThreadCount();
    }

private:
    QSemaphore gate_;
    int released_ = 0;
};

TEST(PovFindings, ThePrismDialogListsThemAndFollowsItsFields) {
    TPOVDlg dlg;
    const TCvLine profile = plumex::testing::polyline({{1, 0}, {2, 0}, {2, 1}, {1.0004, 0}});
    dlg.setSelection({profile});
    dlg.prepare(PovMode::Prism, {1, 2});
    ASSERT_TRUE(settled(dlg.Findings));
    EXPECT_TRUE(dlg.Findings->isVisibleTo(&dlg));
    EXPECT_EQ(lines(dlg.Findings),
              QStringList{"refuse: path 1, anchor 4: the path is open; POV-Ray leaves an open "
                          "prism out (\"Prism not closed. Ignoring it.\"); close it"});
    // The open profile is what a lathe wants.
    dlg.prepare(PovMode::Lathe, {1, 2});
    ASSERT_TRUE(settled(dlg.Findings));
    EXPECT_FALSE(dlg.Findings->isVisibleTo(&dlg));
    // Typing a lower accuracy merges the first and the last anchor: closed for POV-Ray.
    dlg.prepare(PovMode::Prism, {1, 2});
    dlg.EAccuracy->setText("3");
    ASSERT_TRUE(settled(dlg.Findings));
    EXPECT_FALSE(dlg.Findings->isVisibleTo(&dlg)) << lines(dlg.Findings).join("\n").toStdString();
    // The field's text counts only once accepted.
    EXPECT_EQ(dlg.state.accuracy, "15");
}

TEST(PovFindings, TheArrayDialogFollowsTheDivideCount) {
    TPOVArrayDlg dlg;
    dlg.setSelection(
        {plumex::testing::curve({{{0, 0}, {0, -1}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}}, true)});
    dlg.state.lineForm = LineForm::PolyLine;
    dlg.state.divideCount = "0";
    dlg.prepare();
    ASSERT_TRUE(settled(dlg.Findings));
    ASSERT_EQ(dlg.Findings->count(), 1);
    EXPECT_TRUE(dlg.Findings->item(0)->text().startsWith("refuse: path 1: \"Divide by\" 0"));
    dlg.EdSepCount->setText("4");
    ASSERT_TRUE(settled(dlg.Findings));
    EXPECT_EQ(dlg.Findings->count(), 0);
    dlg.RBLineType1->setChecked(true);
    ASSERT_TRUE(settled(dlg.Findings));
    EXPECT_EQ(dlg.Findings->count(), 0);
}

TEST(PovFindings, SummaryCountsEachSeverity) {
    EXPECT_EQ(findingsSummary({}), "");
    PovFinding refuse{PovSeverity::Refuse, PovCheckRule::PrismOpen, 1, "", 2, "x"};
    PovFinding hint{PovSeverity::Hint, PovCheckRule::UnmergedHole, 2, "", 0, "y"};
    EXPECT_EQ(findingsSummary({refuse}), "1 POV-Ray finding: 1 refuse");
    EXPECT_EQ(findingsSummary({refuse, hint, hint}), "3 POV-Ray findings: 1 refuse, 2 hint");
}

} // namespace

TEST_F(FormTest, ClipboardExportNamesTheFindingsInTheStatusBar) {
    const std::string file = dir.file("open.plx");
    TCvDocument doc;
    doc.Lines.push_back(plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}}));
    ASSERT_TRUE(doc.SaveToFile(file));
    start({file});
    form->action("SelectAll1")->trigger();
    QString listed;
    QTimer::singleShot(0, [&listed] {
        auto* dialog = qobject_cast<TPOVDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        settled(dialog->Findings);
        listed = lines(dialog->Findings).join("\n");
        dialog->accept(); // a warning, not a block
    });
    ASSERT_TRUE(form->POVCopy1Click(0));
    EXPECT_TRUE(listed.startsWith("refuse: path 1, anchor 3: ")) << listed.toStdString();
    EXPECT_EQ(form->statusPanels()->panelText(4), "1 POV-Ray finding: 1 refuse");
    // A clean export clears the word.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    ASSERT_TRUE(form->POVCopy1Click(1));
    EXPECT_EQ(form->statusPanels()->panelText(4), "");
}

// A large selection is checked off the user-interface thread: the dialog opens with a busy
// line, takes typing meanwhile, and shows the findings when they are ready.
TEST_F(FormTest, ThePrismDialogOpensBeforeItsCheckIsDone) {
    const std::string file = dir.file("open.plx");
    TCvDocument doc;
    doc.Lines.push_back(plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}}));
    ASSERT_TRUE(doc.SaveToFile(file));
    start({file});
    form->action("SelectAll1")->trigger();
    auto pool = std::make_unique<BusyPool>();
    QStringList atOpen, later;
    QString typed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TPOVDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        atOpen = lines(dialog->Findings);
        QTest::keyClicks(dialog->Edit2, "2");
        typed = dialog->Edit2->text();
        pool->release();
        settled(dialog->Findings);
        later = lines(dialog->Findings);
        dialog->reject();
    });
    EXPECT_FALSE(form->POVCopy1Click(0));
    EXPECT_EQ(atOpen, QStringList{"Checking the export..."});
    EXPECT_EQ(typed, "12");
    ASSERT_EQ(later.size(), 1);
    EXPECT_TRUE(later.front().startsWith("refuse: path 1, anchor 3: "))
        << later.front().toStdString();
}

// Findings name the path by its place in the selection; clicking one selects that path in the
// drawing, here the second of three.
TEST_F(FormTest, ClickingAFindingSelectsItsPath) {
    const std::string file = dir.file("three.plx");
    TCvDocument doc;
    doc.Lines.push_back(plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}}, true));
    doc.Lines.push_back(plumex::testing::polyline({{3, 0}, {4, 0}, {4, 1}})); // open
    doc.Lines.push_back(plumex::testing::polyline({{6, 0}, {7, 0}, {7, 1}}, true));
    doc.Lines.push_back(plumex::testing::polyline({{9, 0}, {10, 0}, {10, 1}})); // open
    ASSERT_TRUE(doc.SaveToFile(file));
    start({file});
    // Paths 2, 3 and 4 of the drawing are selected: the open ones are paths 1 and 3 there.
    canvas().SelectOnly(1);
    canvas().SetPathSelected(2, true);
    canvas().SetPathSelected(3, true);
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TPOVDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        settled(dialog->Findings);
        listed = lines(dialog->Findings);
        if (dialog->Findings->count() == 2) {
            QListWidget* list = dialog->Findings;
            const QRect second = list->visualItemRect(list->item(1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        }
        dialog->reject();
    });
    EXPECT_FALSE(form->POVCopy1Click(0));
    ASSERT_EQ(listed.size(), 2) << listed.join("\n").toStdString();
    EXPECT_TRUE(listed[1].startsWith("refuse: path 3, anchor 3: "));
    std::vector<bool> selected;
    for (const TCvLine& line : std::as_const(canvas().Document.Lines))
        selected.push_back(line.selected);
    EXPECT_EQ(selected, (std::vector<bool>{false, false, false, true}));
}
