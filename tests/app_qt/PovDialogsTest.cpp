#include "FormFixture.h"

#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace plumex;
using plumex::testing::FormTest;

TEST(POVDlg, DefaultsAndRememberedNamesPerMode) {
    TPOVDlg dlg;
    dlg.prepare(PovMode::Prism, {0, 1});
    EXPECT_EQ(dlg.windowTitle(), "POV Export <Prism>");
    EXPECT_TRUE(dlg.RBDirect->isChecked());
    EXPECT_FALSE(dlg.EDecName->isEnabled());
    EXPECT_EQ(dlg.EDecName->text(), "Prism");
    EXPECT_EQ(dlg.Edit1->text(), "0");
    EXPECT_EQ(dlg.Edit2->text(), "1");
    EXPECT_EQ(dlg.Memo1->toPlainText(), "pigment {color rgb 1}");
    EXPECT_EQ(dlg.EAccuracy->text(), "15");
    EXPECT_FALSE(dlg.LathePanel->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.PrismPanel->isVisibleTo(&dlg));

    dlg.RBDeclare->setChecked(true);
    EXPECT_TRUE(dlg.EDecName->isEnabled());
    dlg.EDecName->setText("Letter");
    dlg.acceptFields();
    dlg.prepare(PovMode::Lathe, {0, 1});
    EXPECT_EQ(dlg.windowTitle(), "POV Export <Lathe>");
    EXPECT_EQ(dlg.EDecName->text(), "Lathe");
    EXPECT_TRUE(dlg.LathePanel->isVisibleTo(&dlg));
    dlg.EDecName->clear(); // an emptied name keeps the remembered one
    dlg.acceptFields();
    dlg.prepare(PovMode::Prism, {0, 1});
    EXPECT_EQ(dlg.EDecName->text(), "Letter");
    dlg.prepare(PovMode::Lathe, {0, 1});
    EXPECT_EQ(dlg.EDecName->text(), "Lathe");
}

TEST(POVDlg, LatheAxisRule) {
    TPOVDlg dlg;
    dlg.prepare(PovMode::Lathe, {-1, 2}); // straddles x = 0
    EXPECT_FALSE(dlg.RBNoAlign->isEnabled());
    EXPECT_TRUE(dlg.RBAlignLeft->isChecked());
    dlg.RBAlignRight->setChecked(true);
    dlg.acceptFields();
    dlg.prepare(PovMode::Lathe, {-3, -1});
    EXPECT_TRUE(dlg.RBNoAlign->isEnabled());
    EXPECT_TRUE(dlg.RBNoAlign->isChecked());
    dlg.RBAlignRight->setChecked(true);
    dlg.acceptFields();
    dlg.prepare(PovMode::Lathe, {-1, 1});
    EXPECT_TRUE(dlg.RBAlignRight->isChecked()); // a choice other than the y axis is kept
}

TEST(POVDlg, AccuracyFieldFilterAndRewrite) {
    TPOVDlg dlg;
    dlg.prepare(PovMode::Prism, {});
    dlg.EAccuracy->clear();
    QTest::keyClicks(dlg.EAccuracy, "1a-2.");
    EXPECT_EQ(dlg.EAccuracy->text(), "12.");
    dlg.acceptFields();
    dlg.prepare(PovMode::Prism, {});
    EXPECT_EQ(dlg.EAccuracy->text(), "15"); // not an integer: shows what it counts as
    dlg.EAccuracy->setText("0");
    dlg.acceptFields();
    dlg.prepare(PovMode::Prism, {});
    EXPECT_EQ(dlg.EAccuracy->text(), "0");
}

TEST(POVArrayDlg, DefaultsAndEnabling) {
    TPOVArrayDlg dlg;
    dlg.prepare();
    EXPECT_EQ(dlg.windowTitle(), "POV Export <Array>");
    EXPECT_EQ(dlg.EdName->text(), "Points");
    EXPECT_TRUE(dlg.RBDeclare->isChecked());
    EXPECT_TRUE(dlg.RBLineType1->isChecked());
    EXPECT_EQ(dlg.RBLineType2->text(), QString("ACC ACC") + QString(3, QChar(0x30FB)) + " A");
    EXPECT_FALSE(dlg.EdSepCount->isEnabled());
    EXPECT_EQ(dlg.EdSepCount->text(), "50");
    EXPECT_TRUE(dlg.RB2Dim->isChecked());
    EXPECT_FALSE(dlg.EdVal->isEnabled());
    EXPECT_EQ(dlg.EdVal->text(), "0");
    EXPECT_EQ(dlg.EdAccuracy->text(), "15");
    dlg.RBLineType3->setChecked(true);
    dlg.RB3Dim2->setChecked(true);
    EXPECT_TRUE(dlg.EdSepCount->isEnabled());
    EXPECT_TRUE(dlg.EdVal->isEnabled());
}

namespace {

void acceptNextDialog() {
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST_F(FormTest, ExportToClipboardAndToAnIncludeFile) {
    start({document("one.plx")});
    EXPECT_FALSE(form->POVCopy1Click(0)); // nothing selected: no dialog, nothing written
    form->action("SelectAll1")->trigger();

    acceptNextDialog();
    ASSERT_TRUE(form->POVCopy1Click(0));
    const QString clip = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(clip.startsWith("prism {\r\n linear_sweep\r\n bezier_spline 0,1,12\r\n"));

    const std::string inc = dir.file("one.inc");
    chosen = {inc};
    acceptNextDialog();
    ASSERT_TRUE(form->ExportFileClick(2));
    EXPECT_EQ(dialogTitles.back(), "POV-Ray Include File");
    const std::string text = readFile(inc);
    EXPECT_EQ(text.rfind("// Exported from Plumex\r\n\r\n#declare Points = array[12]", 0), 0u)
        << text;
}

TEST_F(FormTest, FailedFileExportIsReportedAndTouchesNothing) {
    start({document("one.plx")});
    form->action("SelectAll1")->trigger();
    const std::string folder = dir.file("taken.inc");
    std::filesystem::create_directory(folder);
    dir.write("taken.inc/inside.txt", "kept");
    chosen = {folder};
    answers = {MessageAnswer::Ok};
    acceptNextDialog();
    EXPECT_FALSE(form->ExportFileClick(0));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::Error);
    EXPECT_EQ(readFile(dir.file("taken.inc/inside.txt")), "kept");
}

TEST_F(FormTest, CancelledExportChangesNothing) {
    start({document("one.plx")});
    form->action("SelectAll1")->trigger();
    QGuiApplication::clipboard()->setText("before");
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_FALSE(form->POVCopy1Click(1));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_FALSE(form->modified());
}
