// The draft dialog's preview part: the size label, the fields, the thumbnail's place and the
// linked width and height as a user types them.
#include "app/qt/TPictDialog.h"

#include "FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

QString savedPicture(const QTemporaryDir& dir, const char* name, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(200, 0, 0));
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

TEST(TPictDialog, PreviewShowsSizeFieldsAndThumbnail) {
    QTemporaryDir dir;
    TPictDialog dialog(nullptr, "Load Draft");
    EXPECT_EQ(dialog.windowTitle(), "Load Draft");
    EXPECT_EQ(dialog.nameFilters().size(), 4);
    EXPECT_EQ(dialog.EditX->text(), "1");

    dialog.ShowPreviewOf(savedPicture(dir, "small.png", 100, 50));
    EXPECT_EQ(dialog.Label1->text(), "100x50");
    EXPECT_EQ(dialog.EditX->text(), "1");
    EXPECT_EQ(dialog.EditY->text(), "0.5");
    const QImage box = dialog.PB1->grab().toImage();
    EXPECT_EQ(box.pixel(31, 56), qRgb(200, 0, 0));
    EXPECT_EQ(box.pixel(130, 105), qRgb(200, 0, 0));
    EXPECT_NE(box.pixel(30, 56), qRgb(200, 0, 0));
    EXPECT_NE(box.pixel(131, 56), qRgb(200, 0, 0));

    dialog.ShowPreviewOf(savedPicture(dir, "tall.bmp", 480, 640));
    EXPECT_EQ(dialog.EditX->text(), "0.75");
    EXPECT_EQ(dialog.EditY->text(), "1");
    EXPECT_DOUBLE_EQ(dialog.Width(), 0.75);
}

TEST(TPictDialog, TypedSizesFollowEachOtherAndLettersAreDropped) {
    QTemporaryDir dir;
    TPictDialog dialog(nullptr, "Load Draft");
    dialog.ShowPreviewOf(savedPicture(dir, "wide.jpg", 640, 480));
    EXPECT_EQ(dialog.Label1->text(), "640x480");
    dialog.EditX->selectAll();
    QTest::keyClicks(dialog.EditX, "2a");
    EXPECT_EQ(dialog.EditX->text(), "2");
    EXPECT_EQ(dialog.EditY->text(), "1.5");
    EXPECT_DOUBLE_EQ(dialog.Width(), 2.0);
    dialog.EditY->selectAll();
    QTest::keyClicks(dialog.EditY, "3");
    EXPECT_EQ(dialog.EditX->text(), "4");
    EXPECT_DOUBLE_EQ(dialog.Width(), 4.0);

    // A file that does not decode leaves the dialog usable and the preview empty of a size.
    QFile broken(dir.filePath("broken.png"));
    broken.open(QIODevice::WriteOnly);
    broken.write("nothing");
    broken.close();
    dialog.ShowPreviewOf(dir.filePath("broken.png"));
    EXPECT_EQ(dialog.Label1->text(), "");
    // With the preview off nothing is decoded and the width is the one typed.
    dialog.CBPreview->setChecked(false);
    dialog.ShowPreviewOf(dir.filePath("wide.jpg"));
    EXPECT_EQ(dialog.Label1->text(), "");
    EXPECT_DOUBLE_EQ(dialog.Width(), 4.0);
    dialog.CBPreview->setChecked(true);
}

TEST(TPictDialog, NextDialogShowsThePreviewSwitchAsLeft) {
    QTemporaryDir dir;
    const QString picture = savedPicture(dir, "wide.png", 640, 480);
    {
        TPictDialog first(nullptr, "Load Draft");
        first.CBPreview->setChecked(false);
    }
    TPictDialog next(nullptr, "Load Draft");
    EXPECT_FALSE(next.CBPreview->isChecked());
    next.ShowPreviewOf(picture);
    EXPECT_EQ(next.Label1->text(), "");
    next.CBPreview->setChecked(true);
    EXPECT_EQ(next.Label1->text(), "640x480");
}

// File > Load Draft as a user goes through it: the name typed into the dialog, then Open.
TEST_F(FormTest, LoadDraftOfAPhotoCutShortSaysWhyAndKeepsTheDraft) {
    TForm1& f = start();
    QImage photo(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x % 256, y, x ^ y));
    const std::string whole = dir.file("photo.jpg"), cut = dir.file("cut.jpg");
    ASSERT_TRUE(photo.save(QString::fromStdString(whole), "JPEG"));
    QFile in(QString::fromStdString(whole));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(QString::fromStdString(cut));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * 2 / 3));
    out.close();
    ASSERT_TRUE(canvas().LoadDraft(whole, 2.0));

    answers.push_back(MessageAnswer::Ok);
    QTimer::singleShot(0, [&cut] {
        auto* dialog = qobject_cast<TPictDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        // A dialog that stays open fails the test rather than hang it.
        QTimer::singleShot(10000, dialog, &QDialog::reject);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        if (!name || !buttons) return dialog->reject();
        // The dialog opened in the picture's folder; the user types its name and clicks Open.
        const QFileInfo file(QString::fromStdString(cut));
        dialog->setDirectory(file.absolutePath());
        QTest::keyClicks(name, file.fileName());
        QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
    });
    f.action("LoadDraft1")->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::Error);
    EXPECT_EQ(asked[0].second,
              "Failed To Load Draft Image.\n" + cut + "\nJPEG: Premature end of JPEG file");
    EXPECT_EQ(canvas().Draft().FileName(), whole);
    EXPECT_EQ(canvas().Document.Settings.draft.fileName, whole);
}

} // namespace
