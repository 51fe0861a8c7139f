#include "FormFixture.h"

#include "app/qt/MainStatusBar.h"
#include "app/qt/SpeedPanel.h"
#include "canvas/qt/CanvasWidget.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

bool enabled(TForm1& form, const char* name) {
    form.updateMenus();
    return form.action(name)->isEnabled();
}

void selectFirst(TCvDocument& doc, int count) {
    for (int i = 0; i < count; ++i) doc.Lines[i].SelectAll(true), doc.Lines[i].selected = true;
    doc.SelectionChanged();
}

} // namespace

TEST_F(FormTest, FileAndViewMenusFollowTheDrawing) {
    start();
    EXPECT_FALSE(enabled(*form, "Export1"));
    EXPECT_FALSE(enabled(*form, "ZoomFitAll1"));
    EXPECT_FALSE(enabled(*form, "MRU1"));
    EXPECT_TRUE(enabled(*form, "Save1"));
    edit();
    EXPECT_TRUE(enabled(*form, "Export1"));
    EXPECT_TRUE(enabled(*form, "ExportAi1"));
    EXPECT_TRUE(enabled(*form, "ExportBmp1"));
    EXPECT_TRUE(enabled(*form, "ZoomFitAll1"));
    EXPECT_FALSE(enabled(*form, "ZoomFitSel1"));
    EXPECT_FALSE(enabled(*form, "ClrDraft1"));
}

TEST_F(FormTest, EditAndObjectMenusFollowHistoryAndSelection) {
    start({document("three.plx", 3)});
    EXPECT_FALSE(enabled(*form, "Undo1"));
    EXPECT_FALSE(enabled(*form, "POVCopy1"));
    EXPECT_FALSE(enabled(*form, "Prism1"));
    EXPECT_FALSE(enabled(*form, "UnLock1"));
    selectFirst(canvas().Document, 1);
    EXPECT_TRUE(enabled(*form, "POVCopy1"));
    EXPECT_TRUE(enabled(*form, "Lathe2"));
    EXPECT_TRUE(enabled(*form, "Lock1"));
    EXPECT_FALSE(enabled(*form, "Intersect1"));
    EXPECT_TRUE(enabled(*form, "Copy1"));
    form->action("Lock1")->trigger();
    EXPECT_TRUE(enabled(*form, "UnLock1"));
    EXPECT_FALSE(enabled(*form, "Lock1"));
    form->action("SelectAll1")->trigger();
    EXPECT_EQ(canvas().Document.CountSelected(), 2); // the locked path stays out
    EXPECT_TRUE(enabled(*form, "Intersect1"));
    form->action("Hide1")->trigger();
    EXPECT_TRUE(enabled(*form, "ShowAll1"));
    edit();
    EXPECT_TRUE(enabled(*form, "Undo1"));
    form->action("Undo1")->trigger();
    EXPECT_TRUE(enabled(*form, "Redo1"));
}

TEST_F(FormTest, NextAndPreviousToolWrap) {
    start();
    form->SelectTool(ToolKind::Zoom);
    form->action("NextTool1")->trigger();
    EXPECT_EQ(canvas().Tool(), ToolKind::Object);
    EXPECT_TRUE(form->speedPanel()->toolButton(0)->isChecked());
    form->action("PrevTool1")->trigger();
    EXPECT_EQ(canvas().Tool(), ToolKind::Zoom);
    EXPECT_TRUE(form->speedPanel()->toolButton(6)->isChecked());
    EXPECT_FALSE(form->speedPanel()->toolButton(0)->isChecked());
}

TEST_F(FormTest, MousePositionDecimalsFollowTheScale) {
    start();
    form->canvasWidget()->resize(400, 300);
    canvas().Resize(400, 300);
    canvas().ZoomTo(100);
    canvas().MouseMove(MouseEvent{{201, 152}});
    const QString x100 = form->statusPanels()->panelText(1);
    EXPECT_EQ(x100.section('.', 1).size(), 2) << x100.toStdString();
    EXPECT_EQ(form->statusPanels()->panelText(0), "100");
    canvas().ZoomTo(100.5);
    canvas().MouseMove(MouseEvent{{201, 152}});
    EXPECT_EQ(form->statusPanels()->panelText(1).section('.', 1).size(), 3);
    EXPECT_EQ(form->statusPanels()->panelText(2).section('.', 1).size(), 3);
    EXPECT_EQ(form->statusPanels()->panelText(0), "100.5");
}

TEST_F(FormTest, OptionMenuAndButtonsShowTheSameOptions) {
    start();
    ASSERT_TRUE(canvas().GetOption(CanvasOption::ShowGrid));
    form->action("ShowGrid1")->trigger();
    EXPECT_FALSE(canvas().GetOption(CanvasOption::ShowGrid));
    EXPECT_FALSE(form->speedPanel()->optionButton(2)->isChecked());
    form->updateMenus();
    EXPECT_FALSE(form->action("ShowGrid1")->isChecked());

    form->speedPanel()->optionButton(1)->click(); // rulers off
    EXPECT_FALSE(canvas().GetOption(CanvasOption::ShowRuler));
    form->action("HideDraft1")->trigger();
    form->updateMenus();
    EXPECT_TRUE(form->action("HideDraft1")->isChecked());
    EXPECT_FALSE(form->speedPanel()->optionButton(11)->isChecked());
    EXPECT_FALSE(form->speedPanel()->optionButton(12)->isChecked());
    form->speedPanel()->optionButton(11)->click(); // draft shown normally
    EXPECT_TRUE(canvas().GetOption(CanvasOption::ShowDraft));
    EXPECT_FALSE(canvas().GetOption(CanvasOption::DimDraft));
    form->updateMenus();
    EXPECT_TRUE(form->action("ShowDraft1")->isChecked());
}

TEST_F(FormTest, CancelledFixedGridLeavesTheButtonOnAuto) {
    start();
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            static_cast<QDialog*>(dialog)->reject();
    });
    QToolButton* grid = form->speedPanel()->optionButton(4);
    grid->click();
    EXPECT_FALSE(canvas().GetOption(CanvasOption::GridSizeFixed));
    EXPECT_FALSE(grid->isChecked());
    EXPECT_EQ(grid->text(), "Auto");
}

TEST_F(FormTest, ToolPanelSideIsStoredAndNamesTheOtherSide) {
    start();
    form->updateMenus();
    EXPECT_EQ(form->action("ToolPanelPos1")->text(), "&Tool Bar Right");
    form->action("ToolPanelPos1")->trigger();
    EXPECT_TRUE(form->Options.ToolRight);
    EXPECT_EQ(form->action("ToolPanelPos1")->text(), "&Tool Bar Left");
}

TEST_F(FormTest, ApplyingALanguageRecaptionsEverything) {
    start({}, "[Global]\nLanguage=English\n");
    EXPECT_EQ(form->action("File1")->text(), "&File");
    EXPECT_EQ(form->action("Prism2")->text(), "&Prism...\tShift+Alt+P");
    form->ApplyLanguage("Japanese");
    EXPECT_NE(form->action("File1")->text(), "&File");
    EXPECT_EQ(form->Options.Language, "Japanese");
    EXPECT_NE(form->windowTitle(), "Undefined[*] -Plumex");
    EXPECT_EQ(form->action("N1000001")->text(), "100,000"); // fixed captions stay
    form->ApplyLanguage("Klingon");                         // unknown: nothing changes
    EXPECT_EQ(form->Options.Language, "Japanese");
    form->PMLang->actions().front()->trigger(); // the English item
    EXPECT_EQ(form->action("File1")->text(), "&File");
    EXPECT_EQ(form->windowTitle(), "Undefined[*] -Plumex");
    EXPECT_EQ(form->speedPanel()->toolButton(0)->toolTip(), "Object Tool");
}

TEST_F(FormTest, ZoomAndPresetScalesReachTheCanvas) {
    start();
    form->action("ZoomIn1")->trigger();
    EXPECT_DOUBLE_EQ(canvas().Scale(), 200);
    form->action("N011")->trigger();
    EXPECT_DOUBLE_EQ(canvas().Scale(), 0.1);
    form->action("N1000001")->trigger();
    EXPECT_DOUBLE_EQ(canvas().Scale(), 12800);
    form->action("StdScale1")->trigger();
    EXPECT_DOUBLE_EQ(canvas().Scale(), 100);
}

// A zoom step writes no path, so the menus' rules do not read the paths again (which froze a
// million-anchor window on every step); they still follow the next edit.
TEST_F(FormTest, ZoomStepsLeaveThePathFactsOfTheMenus) {
    start({document("three.plx", 3)});
    QWidget* view = form->canvasWidget();
    form->updateMenus();
    ASSERT_FALSE(form->action("Delete1")->isEnabled());
    const std::size_t gathered = form->commands().pathFactsGathered();
    const double scale = canvas().Scale();
    QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(view, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(canvas().Scale(), 2 * scale);
    EXPECT_EQ(form->commands().pathFactsGathered(), gathered);

    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(canvas().Document.CountSelected(), 3);
    EXPECT_TRUE(form->action("Delete1")->isEnabled());
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_TRUE(canvas().Document.Lines.empty());
    EXPECT_FALSE(form->action("Delete1")->isEnabled());
    EXPECT_GT(form->commands().pathFactsGathered(), gathered);
}

TEST_F(FormTest, ToolsShowTheProgramsOwnCursors) {
    start();
    QWidget* view = form->canvasWidget();
    form->SelectTool(ToolKind::Pen);
    ASSERT_EQ(view->cursor().shape(), Qt::BitmapCursor);
    const QImage pen = view->cursor().pixmap().toImage();
    form->SelectTool(ToolKind::Zoom);
    ASSERT_EQ(view->cursor().shape(), Qt::BitmapCursor);
    EXPECT_NE(view->cursor().pixmap().toImage(), pen);
    EXPECT_EQ(view->cursor().hotSpot(), QPoint(9, 9)); // the lens centre
    form->SelectTool(ToolKind::Anchor);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FormTest, CanvasQuestionsGoThroughTheShellsBoxes) {
    start();
    canvas().AddGuide(GuideAxis::Vertical, 1.0);
    ASSERT_TRUE(canvas().GetOption(CanvasOption::LockGuides));
    answers = {MessageAnswer::No};
    EXPECT_FALSE(canvas().EraseGuides(GuideAxes{.vertical = true, .horizontal = false}));
    EXPECT_EQ(canvas().VerticalGuides().size(), 1u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::YesNo);
}

// Every item of the table is in the menus, captioned and with its shortcut in the key column;
// a pending one stays disabled whatever the state.
TEST_F(FormTest, EveryCommandOfTheTableIsAMenuItem) {
    start({document("three.plx", 3)});
    canvas().Document.SelectAll();
    canvas().Document.Lines[2].locked = 1;
    canvas().Document.Lines[1].visible = 0;
    form->updateMenus();
    for (const Command& c : commandTable()) {
        QAction* action = form->action(std::string(c.name));
        if (c.flags & cfContextOnly) {
            EXPECT_EQ(action, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_FALSE(action->text().isEmpty()) << c.name;
        const QString keys = QString::fromStdString(shortcutText(c.shortcut));
        if (c.shortcut) {
            EXPECT_TRUE(action->text().endsWith('\t' + keys)) << c.name;
        }
        if (c.pending()) {
            EXPECT_FALSE(action->isEnabled()) << c.name;
        }
    }
}

// The tool and option pictures are drawn from vector files: at twice the density a button gets
// twice the pixels, with edges finer than doubled ones.
TEST_F(FormTest, PanelPicturesAreSharpAtTwiceTheDensity) {
    start();
    std::vector<QToolButton*> buttons;
    for (int t = 0; t < 7; ++t)
        if (t != 5) buttons.push_back(form->speedPanel()->toolButton(t));
    for (int tag = 1; tag <= 12; ++tag)
        if (tag != 4) buttons.push_back(form->speedPanel()->optionButton(tag));
    for (QToolButton* b : buttons) {
        const QSize size = b->iconSize();
        const QImage one = b->icon().pixmap(size, 1.0).toImage();
        const QImage two = b->icon().pixmap(size, 2.0).toImage();
        ASSERT_EQ(one.size(), size) << b->objectName().toStdString();
        ASSERT_EQ(two.size(), size * 2) << b->objectName().toStdString();
        int drawn = 0, mixed = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                drawn += qAlpha(one.pixel(x, y)) > 0;
                const QRgb a = two.pixel(2 * x, 2 * y);
                mixed += a != two.pixel(2 * x + 1, 2 * y) || a != two.pixel(2 * x, 2 * y + 1) ||
                         a != two.pixel(2 * x + 1, 2 * y + 1);
            }
        EXPECT_GT(drawn, 10) << b->objectName().toStdString();
        EXPECT_GT(mixed, 4) << b->objectName().toStdString();
    }
}
