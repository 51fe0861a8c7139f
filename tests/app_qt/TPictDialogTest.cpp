// The draft dialog's preview part: the size label, the fields, the thumbnail's place and the
// linked width and height as a user types them.
#include "app/qt/TPictDialog.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace plumex;

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

} // namespace
