// The text dialog's fields and the request they make.

#include "text/qt/TTextDlg.h"
#include "Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

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
