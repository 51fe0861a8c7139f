#include "FormFixture.h"

#include "app/ColorTable.h"
#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "app/qt/TKeyInfoDlg.h"
#include "app/qt/TUIColorDlg.h"
#include "canvas/qt/CanvasWidget.h"
#include "commands/qt/TPropertyDlg.h"
#include "shell/CommandRunner.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

template <class Dialog> void whenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(*dlg);
    });
}

} // namespace

TEST_F(FormTest, PropertyPanelFollowsTheSelectionAndEditsTheDrawing) {
    TForm1& form = start({document("two.plx", 2)});
    form.updateMenus();
    EXPECT_FALSE(form.action("Property1")->isEnabled());
    canvas().Document.SelectAll();
    canvas().Changed();
    EXPECT_TRUE(form.action("Property1")->isEnabled());
    form.resize(1280, 800); // the screen the program is tried on
    form.show();
    form.action("Property1")->trigger();
    TPropertyDlg* panel = form.propertyPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->LBLines->count(), 2);
    // The panel opens wide enough for every column of the grid, the canvas keeping the rest.
    QApplication::processEvents();
    QTableWidget* grid = panel->SGPoints;
    EXPECT_GE(grid->viewport()->width(), grid->horizontalHeader()->length());
    EXPECT_GT(form.canvasWidget()->width(), form.width() / 3);
    // Closed and opened again it keeps the width it had.
    auto* dock = qobject_cast<QDockWidget*>(panel->parentWidget());
    ASSERT_NE(dock, nullptr);
    const int width = dock->width();
    dock->close();
    form.action("Property1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(dock->width(), width);

    ASSERT_TRUE(panel->CommitCell(0, 2, "-3"));
    EXPECT_EQ(canvas().Document.Lines[0].points[0].anchor.x, -3);
    EXPECT_TRUE(form.modified());

    // Choosing rows picks those anchors with the anchor tool.
    panel->SGPoints->selectRow(2);
    EXPECT_EQ(canvas().Tool(), ToolKind::Anchor);
    EXPECT_EQ(canvas().Document.Lines[0].points[2].selected, 1);
    EXPECT_EQ(canvas().Document.Lines[0].points[0].selected, 0);

    canvas().Document.DeselectAll();
    canvas().Changed();
    EXPECT_EQ(panel->LBLines->count(), 0);
}

TEST_F(FormTest, ShortcutListOpensFromItsKeyInTheCurrentLanguage) {
    TForm1& form = start();
    std::vector<TKeyInfo> shown;
    whenShown<TKeyInfoDlg>([&](TKeyInfoDlg& dlg) {
        shown = dlg.Shown();
        EXPECT_EQ(dlg.LB1->count(), static_cast<int>(shown.size()));
        dlg.TC1->setCurrentIndex(1);
        const auto& sorted = dlg.Shown();
        EXPECT_EQ(sorted.size(), shown.size());
        for (size_t i = 1; i < sorted.size(); ++i)
            EXPECT_FALSE(keyOrderLess(sorted[i].shortcut, sorted[i - 1].shortcut)) << i;
        dlg.reject();
    });
    ASSERT_TRUE(form.commands().runShortcut(scShift | vk::F1));
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0].path, "*Scroll/1 Grid Left");
    ASSERT_NE(form.keyInfoDlg(), nullptr);
    EXPECT_EQ(form.keyInfoDlg()->TC1->currentIndex(), 1); // the tab survives

    // The next opening is in the language chosen since, and still in key order.
    form.ApplyLanguage("Japanese");
    std::string scrollLeft;
    whenShown<TKeyInfoDlg>([&](TKeyInfoDlg& dlg) {
        scrollLeft = "*" + caption(M_Scroll) + "/" + caption(M_Left);
        EXPECT_EQ(dlg.windowTitle().toStdString(), caption(D_KeyList));
        EXPECT_EQ(dlg.TC1->tabText(1).toStdString(), caption(C_KeyKey));
        EXPECT_EQ(dlg.LB1->findItems(QString::fromStdString(scrollLeft), Qt::MatchExactly).size(),
                  1);
        dlg.reject();
    });
    form.action("AboutKey1")->trigger();
    form.ApplyLanguage("English");
    EXPECT_NE(scrollLeft, shown[0].path);
    EXPECT_EQ(form.keyInfoDlg()->TC1->currentIndex(), 1);
}

TEST_F(FormTest, ColourSchemeRepaintsTheCanvasOnOkOnly) {
    TForm1& form = start();
    const ColorTable before = colorTable();
    const QPoint spot(form.canvasWidget()->width() / 2, form.canvasWidget()->height() / 3);
    auto pixel = [&] { return form.canvasWidget()->grab().toImage().pixelColor(spot); };
    const QColor original = pixel();
    // The slot that paints the spot (the drawing area's background).
    const uint32_t painted =
        static_cast<uint32_t>(original.red() | original.green() << 8 | original.blue() << 16);
    const int slot =
        static_cast<int>(std::find(before.begin(), before.end(), painted) - before.begin());
    ASSERT_LT(slot, ColorCount);

    whenShown<TUIColorDlg>([slot](TUIColorDlg& dlg) {
        dlg.chooseColor = [](uint32_t) -> std::optional<uint32_t> { return 0x3020A0u; };
        dlg.ListBox1->setCurrentRow(slot);
        dlg.ChangeSelected();
        dlg.CancelBtn->click();
    });
    form.action("SetColors1")->trigger();
    EXPECT_EQ(colorTable(), before);
    EXPECT_EQ(pixel(), original);

    whenShown<TUIColorDlg>([slot](TUIColorDlg& dlg) {
        dlg.chooseColor = [](uint32_t) -> std::optional<uint32_t> { return 0x3020A0u; };
        dlg.ListBox1->setCurrentRow(slot); // the background
        dlg.ChangeSelected();
        dlg.OkBtn->click();
    });
    form.action("SetColors1")->trigger();
    EXPECT_EQ(colorTable()[static_cast<size_t>(slot)], 0x3020A0u);
    EXPECT_EQ(pixel(), QColor(0xA0, 0x20, 0x30));
    colorTable() = before;
}
