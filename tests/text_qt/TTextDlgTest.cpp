// The text dialog's fields and the request they make.

#include "text/qt/TTextDlg.h"
#include "Fonts.h"
#include "text/qt/TOpenTTFDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(TTextDlg, StartsWithTheDefaultsAndMakesTheirRequest) {
    TTextDlg dlg;
    const plumex::TextRequest r = dlg.request();
    EXPECT_EQ(r.text, "ABC");
    EXPECT_EQ(r.objectSize, 1);
    EXPECT_TRUE(r.makeHoles);
    EXPECT_FALSE(r.bold || r.italic);
    EXPECT_FALSE(r.family.empty());
    EXPECT_TRUE(r.fontFile.empty());
    EXPECT_EQ(dlg.CBSizes->currentText(), "50");
    EXPECT_EQ(dlg.windowTitle(), "Text Object");
    EXPECT_FALSE(dlg.LFace->text().isEmpty());
}

TEST(TTextDlg, ObjectSizeIsInsertedOnceAndSelected) {
    TTextDlg dlg;
    dlg.SetObjectSize(0.25);
    EXPECT_EQ(dlg.CBObjSizes->itemText(0), "0.25");
    EXPECT_EQ(dlg.CBObjSizes->currentText(), "0.25");
    dlg.SetObjectSize(1);
    EXPECT_EQ(dlg.CBObjSizes->count(), 2); // "1" was there already
    EXPECT_EQ(dlg.CBObjSizes->currentText(), "1");
    EXPECT_EQ(dlg.request().objectSize, 1);
}

TEST(TTextDlg, StandInFamiliesAreNamed) {
    TTextDlg dlg;
    dlg.CBFontNames->setEditable(true);
    dlg.CBFontNames->setCurrentText("No Such Family");
    EXPECT_NE(dlg.LFace->text().indexOf("is not installed"), -1) << dlg.LFace->text().toStdString();
}

TEST(TTextDlg, FontFromAFileIsUsedByItsPath) {
    TTextDlg dlg;
    const int before = dlg.CBFontNames->count();
    dlg.AddFontFile(plumex::testing::CantarellRegular, "Cantarell Regular From File");
    EXPECT_EQ(dlg.CBFontNames->count(), before + 1);
    EXPECT_EQ(dlg.CBFontNames->itemText(0), "Cantarell Regular From File");
    const plumex::TextRequest r = dlg.request();
    EXPECT_EQ(r.fontFile, plumex::testing::CantarellRegular);
    EXPECT_TRUE(r.family.empty());
    // Picking an installed family again goes back to fontconfig.
    dlg.CBFontNames->setCurrentIndex(1);
    EXPECT_TRUE(dlg.request().fontFile.empty());
}

// A bold file of a family whose regular face is installed too: the memo must show the file's
// own face, not the family's regular one nor a stand-in for its full name.
TEST(TTextDlg, MemoShowsAFontFilesOwnFace) {
    TTextDlg dlg;
    dlg.AddFontFile(plumex::testing::DejaVuSerifBold, "DejaVu Serif Bold");
    const QFontInfo shown(dlg.RE1->font());
    EXPECT_EQ(shown.family().toStdString(), "DejaVu Serif");
    EXPECT_EQ(shown.styleName().toStdString(), "Bold");
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(shown.pointSize(), 50);
}

TEST(TTextDlg, TabLeavesTheMemo) {
    TTextDlg dlg;
    EXPECT_TRUE(dlg.RE1->tabChangesFocus());
}

TEST(TOpenTTFDialog, PreviewShowsTheFilesFaceAt20PointsAndKeepsItOnErrors) {
    TOpenTTFDialog dlg;
    dlg.preview(QString::fromStdString(plumex::testing::DejaVuSerifBold));
    EXPECT_EQ(dlg.Preview->text(), "DejaVu Serif Bold\r\nSAMPLE sample 0123456789");
    EXPECT_EQ(dlg.FullName(), "DejaVu Serif Bold");
    const QFontInfo shown(dlg.Preview->font());
    EXPECT_EQ(shown.family().toStdString(), "DejaVu Serif");
    EXPECT_EQ(shown.styleName().toStdString(), "Bold");
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(shown.pointSize(), 20);

    // A .ttf that is no font changes nothing.
    const QString bad = QDir::temp().filePath("plumex-not-a-font.ttf");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a font at all");
    }
    dlg.preview(bad);
    QFile::remove(bad);
    EXPECT_EQ(dlg.FullName(), "DejaVu Serif Bold");
    EXPECT_EQ(dlg.Preview->text(), "DejaVu Serif Bold\r\nSAMPLE sample 0123456789");
    EXPECT_EQ(QFontInfo(dlg.Preview->font()).styleName().toStdString(), "Bold");
}

// OK takes the object size typed in the combo; while the text is no size OK is off and the
// dialog says why, naming the limit the command line applies too.
TEST(TTextDlg, RunTakesTheTypedObjectSizeOrRefusesIt) {
    TTextDlg dlg;
    auto answer = [&](const char* typed) {
        QTimer::singleShot(0, &dlg, [&dlg, typed] {
            dlg.CBObjSizes->setEditText(typed);
            dlg.OkBtn->click();
        });
    };
    answer("2.5");
    std::optional<plumex::TextRequest> r = dlg.run(std::nullopt);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->objectSize, 2.5);
    for (const char* bad : {"abc", "-3", "0", "", "1e308", "1000000001", "nan", "inf"}) {
        bool refused = false;
        QTimer::singleShot(0, &dlg, [&] {
            dlg.CBObjSizes->setEditText(bad);
            refused = !dlg.OkBtn->isEnabled() && dlg.LObjSizeError->isVisible() &&
                      dlg.LObjSizeError->text().contains("1000000000");
            dlg.OkBtn->click(); // does nothing
            dlg.CancelBtn->click();
        });
        EXPECT_FALSE(dlg.run(std::nullopt)) << bad;
        EXPECT_TRUE(refused) << bad;
        EXPECT_EQ(dlg.request().objectSize, 2.5) << bad;
    }
    answer("1e9"); // the limit itself is a size
    r = dlg.run(std::nullopt);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->objectSize, 1e9);
    EXPECT_FALSE(dlg.LObjSizeError->isVisible());
    // A dragged frame's height is offered and taken.
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.OkBtn->click(); });
    r = dlg.run(0.75);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->objectSize, 0.75);
    EXPECT_EQ(dlg.CBObjSizes->currentText(), "0.75");
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.CancelBtn->click(); });
    EXPECT_FALSE(dlg.run(std::nullopt));
}

// Typed keys are the size: after a 1.5 text, typing "1" and Enter makes a 1 text (Qt's inline
// completion showed "1.5" with ".5" selected, and Enter took it).
TEST(TTextDlg, TypedObjectSizeIsNotCompleted) {
    TTextDlg dlg;
    dlg.SetObjectSize(1.5);
    QString shown;
    // Keys reach the combo as a user's do: its window active, the combo focused.
    auto type = [&](const char* keys, std::initializer_list<Qt::Key> then) {
        QTimer::singleShot(0, &dlg, [&dlg, &shown, keys, then] {
            dlg.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
            dlg.CBObjSizes->setFocus();
            QLineEdit* edit = dlg.CBObjSizes->lineEdit();
            edit->end(false);
            QTest::keyClicks(edit, keys);
            shown = edit->text();
            for (Qt::Key k : then) QTest::keyClick(edit, k);
            if (dlg.isVisible()) dlg.reject(); // the keys did not close it
        });
    };
    dlg.CBObjSizes->lineEdit()->clear();
    type("1", {Qt::Key_Return});
    std::optional<plumex::TextRequest> r = dlg.run(std::nullopt);
    EXPECT_EQ(shown, "1");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->objectSize, 1);
    EXPECT_EQ(dlg.CBObjSizes->count(), 2); // Enter adds nothing to the list

    // Junk typed is refused in view rather than shown over the size in use: Enter does not
    // close, Escape does.
    bool refused = false;
    QObject::connect(dlg.CBObjSizes, &QComboBox::editTextChanged, &dlg,
                     [&] { refused = !dlg.OkBtn->isEnabled(); });
    type("x", {Qt::Key_Return, Qt::Key_Escape});
    r = dlg.run(std::nullopt);
    EXPECT_FALSE(r);
    EXPECT_EQ(shown, "1x");
    EXPECT_TRUE(refused);
    EXPECT_EQ(dlg.CBObjSizes->count(), 2);
}
