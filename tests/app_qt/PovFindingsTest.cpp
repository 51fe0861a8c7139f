// The pre-export findings in the export dialogs and the status bar.

#include "FormFixture.h"

#include "app/qt/MainStatusBar.h"
#include "app/qt/PovFindingsList.h"
#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

QStringList lines(const PovFindingsList* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

TEST(PovFindings, ThePrismDialogListsThemAndFollowsItsFields) {
    TPOVDlg dlg;
    const TCvLine profile = plumex::testing::polyline({{1, 0}, {2, 0}, {2, 1}, {1.0004, 0}});
    dlg.setSelection({profile});
    dlg.prepare(PovMode::Prism, {1, 2});
    EXPECT_TRUE(dlg.Findings->isVisibleTo(&dlg));
    EXPECT_EQ(lines(dlg.Findings),
              QStringList{"refuse: path 1, anchor 4: the path is open; POV-Ray leaves an open "
                          "prism out (\"Prism not closed. Ignoring it.\"); close it"});
    // The open profile is what a lathe wants.
    dlg.prepare(PovMode::Lathe, {1, 2});
    EXPECT_FALSE(dlg.Findings->isVisibleTo(&dlg));
    // Typing a lower accuracy merges the first and the last anchor: closed for POV-Ray.
    dlg.prepare(PovMode::Prism, {1, 2});
    dlg.EAccuracy->setText("3");
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
    ASSERT_EQ(dlg.Findings->count(), 1);
    EXPECT_TRUE(dlg.Findings->item(0)->text().startsWith("refuse: path 1: \"Divide by\" 0"));
    dlg.EdSepCount->setText("4");
    EXPECT_EQ(dlg.Findings->count(), 0);
    dlg.RBLineType1->setChecked(true);
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
