#include "FormFixture.h"

#include "app/qt/PovFindingsList.h"
#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
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

namespace {

// Runs `edit` on the export dialog as soon as it opens, then clicks its OK button.
void editAndAccept(std::function<void(TPOVDlg&)> edit) {
    QTimer::singleShot(0, [edit = std::move(edit)] {
        auto* dialog = qobject_cast<TPOVDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        edit(*dialog);
        QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
    });
}

void retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Radio buttons react to clicks on their indicator or caption, not on blank space right of it.
void clickRadio(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

// The three forms beyond prism, lathe and array, from their menu items with their own fields.
TEST_F(FormTest, ConicPrismSphereSweepAndSorFromTheMenus) {
    start({document("one.plx")});
    form->action("SelectAll1")->trigger();

    bool shown = false;
    editAndAccept([&](TPOVDlg& dlg) {
        shown = dlg.ConicPanel->isVisible() && dlg.ConicHint->isVisible() &&
                dlg.PrismPanel->isVisible() && !dlg.SweepPanel->isVisible();
        EXPECT_EQ(dlg.windowTitle(), "POV Export <Conic Prism>");
        QTest::mouseClick(dlg.BtnApexCentre, Qt::LeftButton);
        retype(dlg.Edit2, "3");
    });
    form->action("ConicPrism1")->trigger();
    EXPECT_TRUE(shown);
    QString clip = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(clip.startsWith("prism {\r\n conic_sweep\r\n bezier_spline 0,1,12\r\n <-0.5,-0.5>"))
        << clip.toStdString();
    EXPECT_TRUE(clip.contains(" scale <1,-3,1>\r\n translate <0.5,3,0.5>\r\n"))
        << clip.toStdString();

    editAndAccept([&](TPOVDlg& dlg) {
        shown = dlg.SweepPanel->isVisible() && dlg.SweepHint->isVisible() &&
                !dlg.PrismPanel->isVisible() && !dlg.LathePanel->isVisible();
        clickRadio(dlg.RBCubic);
        retype(dlg.ERadius, "0.25");
    });
    form->action("SphereSweep1")->trigger();
    EXPECT_TRUE(shown);
    clip = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(clip.startsWith("sphere_sweep {\r\n cubic_spline\r\n 6,\r\n <1,0,1>,0.25\r\n"))
        << clip.toStdString();

    // The sor takes the lathe's axis; this triangle does not rise, which the findings say.
    editAndAccept([&](TPOVDlg& dlg) {
        shown = dlg.LathePanel->isVisible() && dlg.SorHint->isVisible();
        EXPECT_TRUE(dlg.Findings->checking() ||
                    (!dlg.Findings->findings().empty() &&
                     dlg.Findings->findings().front().rule == PovCheckRule::SorNotRising));
    });
    form->action("Sor1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("sor {\r\n 5,\r\n"));
    // Offered the lathe instead, the same profile goes out as one.
    editAndAccept([&](TPOVDlg& dlg) {
        QTest::mouseClick(dlg.BtnUseLathe, Qt::LeftButton);
        shown = dlg.windowTitle() == "POV Export <Lathe>" && !dlg.SorHint->isVisible();
    });
    form->action("Sor1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("lathe {\r\n bezier_spline 12"))
        << QGuiApplication::clipboard()->text().toStdString();
    // What was typed stays for the next time the dialog opens.
    EXPECT_EQ(form->findChild<TPOVDlg*>()->state.radius, "0.25");
    EXPECT_EQ(form->findChild<TPOVDlg*>()->state.spline, SweepSpline::Cubic);
}
