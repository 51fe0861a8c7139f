#include "app/qt/TUIColorDlg.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace plumex;

namespace {

ColorTable someColors() {
    ColorTable t{};
    for (int i = 0; i < ColorCount; ++i) t[static_cast<size_t>(i)] = 0x010101u * (i + 1);
    return t;
}

TEST(UIColorDlg, ChangeNeedsASlotAndTouchesOnlyTheWorkingCopy) {
    TUIColorDlg dlg;
    const ColorTable table = someColors();
    dlg.Load(table);
    EXPECT_EQ(dlg.ListBox1->count(), ColorCount);
    EXPECT_EQ(dlg.ListBox1->item(0)->text(), "Background");
    int asked = 0;
    dlg.chooseColor = [&](uint32_t was) -> std::optional<uint32_t> {
        ++asked;
        EXPECT_EQ(was, table[3]);
        return 0x123456u;
    };
    EXPECT_FALSE(dlg.SetColorBtn->isEnabled());
    dlg.ChangeSelected(); // nothing chosen: no picker
    EXPECT_EQ(asked, 0);
    dlg.ListBox1->setCurrentRow(3);
    EXPECT_TRUE(dlg.SetColorBtn->isEnabled());
    dlg.SetColorBtn->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(dlg.Working()[3], 0x123456u);
    EXPECT_EQ(table[3], 0x040404u);
}

TEST(UIColorDlg, CancelKeepsTheTableAndDefaultWithOkRestoresIt) {
    TUIColorDlg dlg;
    ColorTable table = someColors();
    dlg.chooseColor = [](uint32_t) -> std::optional<uint32_t> { return 0xABCDEFu; };

    QTimer::singleShot(0, &dlg, [&] {
        dlg.ListBox1->setCurrentRow(0);
        dlg.ChangeSelected();
        dlg.ResetBtn->click();
        dlg.CancelBtn->click();
    });
    EXPECT_FALSE(dlg.Edit(table));
    EXPECT_EQ(table, someColors());

    QTimer::singleShot(0, &dlg, [&] {
        dlg.ResetBtn->click();
        dlg.OkBtn->click();
    });
    EXPECT_TRUE(dlg.Edit(table));
    EXPECT_EQ(table, defaultColors());
}

// Shown, the list takes the focus and Qt makes row 0 current without selecting it: Change must
// wait for the user's own pick, by mouse or by arrow key.
TEST(UIColorDlg, ChangeWaitsForAPickAfterTheListsFirstFocus) {
    TUIColorDlg dlg;
    ColorTable table = someColors();
    std::vector<uint32_t> offered;
    dlg.chooseColor = [&](uint32_t was) -> std::optional<uint32_t> {
        offered.push_back(was);
        return std::nullopt;
    };
    bool focused = false, offAtFirst = false, onAfterClick = false, onAfterKey = false;
    QTimer::singleShot(0, &dlg, [&] {
        QApplication::setActiveWindow(&dlg);
        focused = dlg.ListBox1->hasFocus();
        offAtFirst = !dlg.SetColorBtn->isEnabled();
        QTest::mouseClick(dlg.SetColorBtn, Qt::LeftButton); // disabled: no picker
        QListWidgetItem* item = dlg.ListBox1->item(2);
        QTest::mouseClick(dlg.ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          dlg.ListBox1->visualItemRect(item).center());
        onAfterClick = dlg.SetColorBtn->isEnabled();
        QTest::mouseClick(dlg.SetColorBtn, Qt::LeftButton);
        dlg.ListBox1->clearSelection();
        dlg.ListBox1->setFocus();
        QTest::keyClick(dlg.ListBox1, Qt::Key_Down);
        onAfterKey = dlg.SetColorBtn->isEnabled();
        QTest::mouseClick(dlg.SetColorBtn, Qt::LeftButton);
        dlg.CancelBtn->click();
    });
    EXPECT_FALSE(dlg.Edit(table));
    EXPECT_TRUE(focused);
    EXPECT_TRUE(offAtFirst);
    EXPECT_TRUE(onAfterClick);
    EXPECT_TRUE(onAfterKey);
    EXPECT_EQ(offered, (std::vector<uint32_t>{table[2], table[3]}));
}

} // namespace
