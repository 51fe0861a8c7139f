#include "FormFixture.h"

#include "app/Languages.h"
#include "app/qt/TExportBmpDlg.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

// Answers the next modal dialog: `edit` runs on it first, then OK.
void answerNextDialog(std::function<void(QDialog&)> edit = {}) {
    QTimer::singleShot(0, [edit] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (edit) edit(*dialog);
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

TEST(TExportBmpDlg, FieldsRefreshAsTheUserTypes) {
    TExportBmpDlg dlg;
    dlg.state.objectWidth = dlg.state.objectHeight = 1;
    dlg.prepare();
    EXPECT_EQ(dlg.windowTitle(), "Save As Bitmap");
    EXPECT_EQ(dlg.EObjSize->text(), "1.00 X 1.00");
    EXPECT_EQ(dlg.EBitmapSize->text(), "120 X 120");
    EXPECT_EQ(dlg.EFileSize->text(), "15,478");
    EXPECT_TRUE(dlg.RBGray->isChecked());
    dlg.EScale->setText("200");
    EXPECT_EQ(dlg.EBitmapSize->text(), "220 X 220");
    EXPECT_EQ(dlg.EFileSize->text(), "49,478");
    dlg.EScale->setText("2x"); // does not parse: value and displays stay
    EXPECT_EQ(dlg.state.scale, 200);
    EXPECT_EQ(dlg.EBitmapSize->text(), "220 X 220");
    dlg.EMargins->setText("0");
    EXPECT_EQ(dlg.EBitmapSize->text(), "200 X 200");
    dlg.RBMono->click();
    EXPECT_EQ(dlg.EFileSize->text(), "5,262"); // 200 rows of 13 words
}

TEST_F(FormTest, IllustratorExportFromTheFileMenu) {
    start({document("one.plx")});
    canvas().ZoomTo(50);
    const std::string ai = dir.file("one.ai");
    chosen = {ai};
    form->action("ExportAi1")->trigger();
    EXPECT_EQ(dialogTitles.back(), "Export Illustrator Data");
    const std::string text = readFile(ai);
    EXPECT_EQ(text.rfind("%!PS-Adobe-2.0 EPSF-1.2\r\n", 0), 0u);
    // The view's scale: the unit triangle is 50 points wide.
    EXPECT_NE(text.find("%%BoundingBox: 9 9 61 61\r\n"), std::string::npos) << text;
    EXPECT_FALSE(form->modified());
}

TEST_F(FormTest, BitmapExportReadBackByQt) {
    start({document("one.plx")});
    const std::string bmp = dir.file("one.bmp");
    chosen = {bmp};
    answerNextDialog();
    form->action("ExportBmp1")->trigger();
    EXPECT_EQ(dialogTitles.back(), "Export Bitmap");
    QImage image(QString::fromStdString(bmp));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(120, 120));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    // The triangle (0,0) (1,0) (1,1): the lower right is black, the upper left white.
    EXPECT_EQ(qGray(image.pixel(100, 100)), 0);
    EXPECT_EQ(qGray(image.pixel(20, 20)), 255);
    EXPECT_EQ(qGray(image.pixel(5, 60)), 255);
    // The diagonal cuts its pixels in half.
    EXPECT_NEAR(qGray(image.pixel(60, 59)), 128, 20);
    EXPECT_FALSE(form->modified());

    // The dialog is the same one, and it kept what was typed; monochrome now.
    TExportBmpDlg* dlg = form->exportBmpDlg();
    chosen = {bmp};
    answerNextDialog([](QDialog& d) {
        auto& bmpDlg = static_cast<TExportBmpDlg&>(d);
        bmpDlg.EScale->setText("50");
        bmpDlg.RBMono->click();
    });
    ASSERT_TRUE(form->ExportFileClick(12));
    EXPECT_EQ(form->exportBmpDlg(), dlg);
    EXPECT_EQ(dlg->EScale->text(), "50");
    image = QImage(QString::fromStdString(bmp));
    EXPECT_EQ(image.size(), QSize(70, 70));
    EXPECT_EQ(image.format(), QImage::Format_Mono);
    EXPECT_EQ(qGray(image.pixel(50, 50)), 0);
}

// Typed as a user would: a resolution too large for a bitmap file, then 0 and a negative one,
// each turn OK off with the reason in the dialog (Enter does not export); 50 exports again.
TEST_F(FormTest, BitmapDialogShowsWhyItCannotExport) {
    start({document("one.plx")});
    const std::string bmp = dir.file("typed.bmp");
    chosen = {bmp};
    struct Seen {
        bool okEnabled;
        QString refusal, outputSize, fileSize;
    };
    std::vector<Seen> seen;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TExportBmpDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        for (const char* typed : {"1e300", "0", "-5", "50"}) {
            dlg->EScale->setFocus();
            dlg->EScale->selectAll();
            QTest::keyClicks(dlg->EScale, typed);
            seen.push_back({dlg->OkBtn->isEnabled(),
                            dlg->LRefusal->isVisible() ? dlg->LRefusal->text() : QString(),
                            dlg->EBitmapSize->text(), dlg->EFileSize->text()});
            if (seen.back().okEnabled) break;
            QTest::keyClick(dlg->EScale, Qt::Key_Return); // refused: stays open
            ASSERT_TRUE(dlg->isVisible()) << typed;
        }
        if (dlg->OkBtn->isEnabled())
            QTest::mouseClick(dlg->OkBtn, Qt::LeftButton);
        else
            dlg->reject();
    });
    ASSERT_TRUE(form->ExportFileClick(12));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_FALSE(seen[0].okEnabled);
    EXPECT_EQ(seen[0].refusal.toStdString(), message(errBmpSize));
    EXPECT_EQ(seen[0].outputSize, ""); // it used to read "0 X 0", and a 62-byte file
    EXPECT_EQ(seen[0].fileSize, "");
    for (int i : {1, 2}) {
        EXPECT_FALSE(seen[i].okEnabled) << i;
        EXPECT_EQ(seen[i].refusal, "Set Resolution to a number more than 0.") << i;
    }
    EXPECT_TRUE(seen[3].okEnabled);
    EXPECT_EQ(seen[3].refusal, "");
    EXPECT_EQ(seen[3].outputSize, "70 X 70");
    EXPECT_EQ(QImage(QString::fromStdString(bmp)).size(), QSize(70, 70));
    EXPECT_TRUE(asked.empty());
}

// The renderer's own check stays behind the dialog's (a picture whose rows do not fit in
// memory is only found out there).
TEST_F(FormTest, TooLargeBitmapIsReportedAndKeepsTheFile) {
    start({document("one.plx")});
    const std::string bmp = dir.file("keep.bmp");
    dir.write("keep.bmp", "old");
    chosen = {bmp};
    answers = {MessageAnswer::Ok};
    answerNextDialog([](QDialog& d) { static_cast<TExportBmpDlg&>(d).EScale->setText("1e6"); });
    EXPECT_FALSE(form->ExportFileClick(12));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].second, "Could not create a Bitmap! Size may be Too large.");
    EXPECT_EQ(readFile(bmp), "old");
}

// A loaded draft picture widens what both exports frame.
TEST_F(FormTest, ExportsFrameTheDraftPicture) {
    start({document("one.plx")});
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("draft.bmp"))));
    ASSERT_TRUE(canvas().LoadDraft(dir.file("draft.bmp"), 4)); // (-2, 1) to (2, -1)
    canvas().ZoomTo(10);
    const std::string ai = dir.file("draft.ai");
    chosen = {ai};
    form->action("ExportAi1")->trigger();
    // Left -2 and bottom -1 move the origin to (30, 20); the frame reaches x 2 and y 1.
    const std::string text = readFile(ai);
    EXPECT_NE(text.find("%%BoundingBox: 9 9 51 31\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("30.0000 20.0000 m\r\n"), std::string::npos) << text;

    chosen = {dir.file("draft.bmp.bmp")};
    std::string objectSize;
    answerNextDialog([&](QDialog& d) {
        objectSize = static_cast<TExportBmpDlg&>(d).EObjSize->text().toStdString();
    });
    ASSERT_TRUE(form->ExportFileClick(12));
    EXPECT_EQ(objectSize, "4.00 X 2.00");
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("draft.bmp.bmp"))).size(), QSize(420, 220));
}

TEST_F(FormTest, IllustratorExportErrorIsShownAndNothingReplaced) {
    start({document("one.plx")});
    chosen = {dir.file("missing-folder/one.ai")};
    answers = {MessageAnswer::Ok};
    EXPECT_FALSE(form->ExportFileClick(11));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::Error);
    EXPECT_NE(asked[0].second.find("missing-folder/one.ai"), std::string::npos) << asked[0].second;
}

// Cancel in the progress window of a long export stops it and keeps the previous file.
TEST_F(FormTest, CancelledBitmapExportKeepsThePreviousFile) {
    start({document("one.plx")});
    const std::string bmp = dir.file("keep.bmp");
    dir.write("keep.bmp", "old");
    chosen = {bmp};
    // 10,020 x 10,020 greys: far longer than the progress window's delay.
    answerNextDialog([](QDialog& d) { static_cast<TExportBmpDlg&>(d).EScale->setText("10000"); });
    bool sawProgress = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* progress = form->findChild<QProgressDialog*>("BitmapProgress");
        if (!progress || !progress->isVisible()) return;
        sawProgress = true;
        progress->cancel();
    });
    watcher.start(20);
    EXPECT_FALSE(form->ExportFileClick(12));
    watcher.stop();
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(readFile(bmp), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("")))
        EXPECT_EQ(entry.path().filename().string().rfind("keep.bmp.", 0), std::string::npos)
            << "temporary file left: " << entry.path();
}
