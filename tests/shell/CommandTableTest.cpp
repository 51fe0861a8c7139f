#include "shell/CommandTable.h"
#include "RecordingShell.h"
#include "app/LanguageKeys.h"
#include "canvas/MouseDriver.h"
#include "shell/CommandRunner.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

using namespace plumex;
using plumex::testing::polyline;

namespace {

// The naming rule that applying a language follows: key M_X captions item X1.
std::string ruleName(int key) {
    static const std::map<std::string_view, std::string> exceptions = {
        {"M_RotateL90", "RotateL90"},
        {"M_RotateR90", "RotateR90"},
        {"M_Prism", "Prism1"},
        {"M_Lathe", "Lathe1"},
        {"M_Array", "Array1"},
        {"M_JoinAnchor", "JoinAnchor1"},
        {"M_JoinAnchorS", "JoinAnchor2"},
        {"M_JoinAnchorI", "JoinAnchor3"},
        {"M_RevHandle", "ReverseHandle1"},
        {"M_ToolBarRight", "ToolPanelPos1"},
        {"M_MoveThisPt", "MoveThisPt"},
        {"M_CopyHandleThis", "CopyHandleThis"},
        {"M_PasteHandleThis", "PasteHandleThis"}};
    std::string_view keyName = CaptionKeyNames[key];
    if (auto it = exceptions.find(keyName); it != exceptions.end()) return it->second;
    return std::string(keyName.substr(2)) + "1";
}

const Command& cmd(std::string_view name) {
    return command(name);
}

// A canvas with three paths and the table's runner on it.
struct Commands : plumex::testing::MouseFixture {
    plumex::testing::RecordingShell shell{w};
    CommandRunner runner{w, shell};
    void SetUp() override {
        MouseFixture::SetUp();
        for (int i = 0; i < 3; ++i)
            w.Document.Lines.push_back(polyline({{0.0 + i, 0}, {0.5 + i, 1}, {1.0 + i, 0}}));
        w.SetContextMenuSource(&runner);
    }
    bool enabled(std::string_view name, const MenuState& s) { return runner.enabled(cmd(name), s); }
};

} // namespace

TEST(CommandTable, EveryCaptionKeyGoesToTheItemItsNameSays) {
    for (const Command& c : commandTable()) {
        if (c.key < 0) {
            EXPECT_FALSE(c.fixed.empty()) << c.name;
            continue;
        }
        std::string expected = ruleName(c.key);
        if (c.parent == "POVExport1") expected.back() = '2';
        EXPECT_EQ(c.name, expected);
    }
}

TEST(CommandTable, NamesAndShortcutsAreUniqueAndParentsComeFirst) {
    std::set<std::string_view> names;
    std::set<int> shortcuts;
    for (const Command& c : commandTable()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        if (c.shortcut) {
            EXPECT_TRUE(shortcuts.insert(c.shortcut).second) << c.name;
        }
        if (c.parent.empty()) continue;
        ASSERT_TRUE(names.count(c.parent)) << c.name << " before its menu";
        EXPECT_TRUE(cmd(c.parent).flags & cfSubmenu) << c.parent;
        // A submenu has no action of its own, and nothing else is only a caption.
        if (c.flags & cfSubmenu) {
            EXPECT_FALSE(c.action) << c.name;
        }
    }
    // The hidden key-move menu leads, as the shortcut list reads the menus.
    EXPECT_EQ(commandTable().front().name, "ObjectMove1");
    EXPECT_THROW(command("NoSuchItem1"), std::logic_error);
}

TEST(CommandTable, SharedActionsReadTheirTags) {
    for (auto [name, tag] : {std::pair{"Prism1", 0},
                             {"Lathe1", 1},
                             {"Array1", 2},
                             {"Prism2", 0},
                             {"Lathe2", 1},
                             {"Array2", 2},
                             {"ExportAi1", 11},
                             {"ExportBmp1", 12},
                             {"StdScale1", 100},
                             {"N1000001", 100000}})
        EXPECT_EQ(cmd(name).tag, tag) << name;
}

TEST(CommandTable, ShortcutsInTheProgramsKeyCodes) {
    EXPECT_EQ(shortcutText(cmd("DoubleSize1").shortcut), "Ctrl+Num+");
    EXPECT_EQ(shortcutText(cmd("ZoomOut1").shortcut), "Num-");
    EXPECT_EQ(shortcutText(cmd("FlipX1").shortcut), "Shift+Ctrl+[");
    EXPECT_EQ(shortcutText(cmd("Prism2").shortcut), "Shift+Alt+P");
    EXPECT_EQ(shortcutText(cmd("Property1").shortcut), "Alt+Enter");
    EXPECT_EQ(shortcutText(cmd("StdScale1").shortcut), "F4");
    EXPECT_EQ(shortcutText(cmd("LayerBack1").shortcut), "Ctrl+PgDn");
    EXPECT_EQ(cmd("RotateL90").shortcut, 0x40DB);
    EXPECT_EQ(commandOfShortcut(scAlt | 'P'), &cmd("Prism1"));
    EXPECT_EQ(commandOfShortcut(scCtrl | vk::OemPlus), nullptr); // the main keyboard's "+"
    EXPECT_EQ(commandOfShortcut(0), nullptr);
}

TEST(CommandTable, ToolsWrapBothWays) {
    EXPECT_EQ(nextTool(ToolKind::Zoom), ToolKind::Object);
    EXPECT_EQ(previousTool(ToolKind::Object), ToolKind::Zoom);
    EXPECT_EQ(nextTool(ToolKind::Pen), ToolKind::Rect);
    EXPECT_EQ(previousTool(ToolKind::Rect), ToolKind::Pen);
}

TEST_F(Commands, SelectionDrivenItems) {
    MenuState s;
    s.paths = 3;
    EXPECT_FALSE(enabled("POVCopy1", s));
    EXPECT_FALSE(enabled("Intersect1", s));
    EXPECT_TRUE(enabled("ZoomFitAll1", s));
    EXPECT_FALSE(enabled("ZoomFitSel1", s));
    // The submenu's rule holds for what it holds.
    EXPECT_FALSE(enabled("DoubleSize1", s));
    EXPECT_FALSE(enabled("Prism1", s));
    s.selectedPaths = 1;
    EXPECT_TRUE(enabled("Prism1", s));
    EXPECT_TRUE(enabled("DoubleSize1", s));
    EXPECT_TRUE(enabled("Lock1", s));
    EXPECT_FALSE(enabled("Intersect1", s));
    EXPECT_TRUE(enabled("LayerFront1", s));
    s.selectedPaths = 3;
    EXPECT_FALSE(enabled("LayerFront1", s)); // nothing left to go in front of
    EXPECT_TRUE(enabled("Intersect1", s));
    EXPECT_FALSE(enabled("UnLock1", s));
    s.lockedPaths = 1;
    EXPECT_TRUE(enabled("UnLock1", s));
}

TEST_F(Commands, AlignCountsAnchorsOnlyWithTheAnchorTool) {
    MenuState s;
    s.paths = s.selectedPaths = 2;
    EXPECT_TRUE(enabled("Align1", s));
    s.tool = ToolKind::Anchor;
    s.selectedAnchors = 1;
    EXPECT_FALSE(enabled("Align1", s));
    EXPECT_TRUE(enabled("DeleteSegments1", s));
    s.tool = ToolKind::Object;
    EXPECT_FALSE(enabled("DeleteSegments1", s));
}

TEST_F(Commands, PendingItemsStayDisabledAndDoNothing) {
    for (const Command& c : commandTable()) EXPECT_FALSE(c.pending()) << c.name;
    // A record without an action, as a command not built yet would be, in a menu whose rule
    // allows it.
    const Command pending{.name = "Pending1", .parent = "Help1", .fixed = "Pending"};
    ASSERT_TRUE(pending.pending());
    MenuState s;
    s.paths = s.selectedPaths = 2;
    EXPECT_FALSE(runner.enabled(pending, s));
    EXPECT_FALSE(runner.run(pending));
    EXPECT_TRUE(enabled("AboutKey1", s));
    EXPECT_TRUE(runner.runShortcut(scShift | vk::F1));
    EXPECT_TRUE(runner.runShortcut(scCtrl | 'Q'));
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"AboutKey1Click", "Exit1Click"}));
}

TEST_F(Commands, TheStateComesFromTheCanvas) {
    w.Document.Lines[0].points[1].selected = 1;
    w.Document.Lines[0].selected = 1;
    w.Document.Lines[2].locked = 1;
    const MenuState s = runner.state();
    EXPECT_EQ(s.paths, 3);
    EXPECT_EQ(s.selectedPaths, 1);
    EXPECT_EQ(s.lockedPaths, 1);
    EXPECT_EQ(s.selectedAnchors, 1);
    EXPECT_TRUE(s.selectedOpenPath);
    EXPECT_TRUE(s.separable); // a middle anchor splits its path
    w.Document.Lines[0].points[1].selected = 0;
    w.Document.Lines[0].points[2].selected = 1;
    EXPECT_FALSE(runner.state().separable); // an open path's end splits nothing
}

TEST_F(Commands, ARefusedShortcutDoesNothingButKeepsItsKey) {
    ASSERT_EQ(w.Document.CountSelected(), 0);
    EXPECT_TRUE(runner.runShortcut(scCtrl | 'L'));
    EXPECT_FALSE(w.Document.Lines[0].locked);
    EXPECT_FALSE(runner.runShortcut(scCtrl | 'W')); // nobody's key
    w.Document.Lines[1].selected = 1;
    EXPECT_TRUE(runner.runShortcut(scCtrl | 'L'));
    EXPECT_TRUE(w.Document.Lines[1].locked);
    EXPECT_TRUE(runner.runShortcut(vk::Add));
    EXPECT_DOUBLE_EQ(w.Scale(), 200);
}

// Everything a command needs first happens before it, whichever way it came.
TEST_F(Commands, CommandsThatEditPathsEndThePenPathFirst) {
    w.SetTool(ToolKind::Pen);
    click(px({0, 1.4}));
    click(px({1, 1.4}));
    moveU({1.5, 1.4});
    ASSERT_GE(w.PenPath(), 0);
    const int pen = w.PenPath();
    const int anchors = w.Document.Lines[pen].count(); // with the floating one
    EXPECT_TRUE(runner.run(cmd("ZoomIn1")));
    EXPECT_EQ(w.PenPath(), pen); // the view is not the paths
    EXPECT_TRUE(runner.run(cmd("SelectAll1")));
    EXPECT_EQ(w.PenPath(), -1);
    EXPECT_EQ(w.Document.Lines[pen].count(), anchors - 1);
}

TEST_F(Commands, ACommandEndsARunningDragFirst) {
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    moveU({0, 0});
    down(px({0, 0}));
    moveU({0.5, 0.5}, ssLeft);
    ASSERT_NE(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(runner.run(cmd("Lock1")));
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(w.Document.Lines[0].locked);
    up(px({0.5, 0.5})); // the release of the ended drag does nothing
    EXPECT_TRUE(w.Document.Lines[0].locked);
}

TEST_F(Commands, AnErrorIsReportedAndTheProgramGoesOn) {
    w.Document.Lines[0].selected = 1;
    w.Document.Lines[1].selected = 1;
    // A make-hole of open paths does nothing; a failing command goes to the shell's box.
    EXPECT_TRUE(runner.run(cmd("Intersect1")));
    EXPECT_TRUE(shell.errors.empty());
    const Command failing{.name = "Failing1",
                          .action = [](CommandContext&) { throw std::runtime_error("bad"); }};
    EXPECT_TRUE(runner.run(failing));
    EXPECT_EQ(shell.errors, std::vector<std::string>{"bad"});
}

TEST_F(Commands, OptionSwitchesShowTheirState) {
    const Command& grid = cmd("ShowGrid1");
    const bool before = runner.checked(grid);
    EXPECT_TRUE(runner.run(grid));
    EXPECT_NE(runner.checked(grid), before);
    EXPECT_EQ(w.GetOption(CanvasOption::ShowGrid), !before);
    EXPECT_TRUE(runner.run(cmd("ShowDimDraft1")));
    EXPECT_TRUE(runner.checked(cmd("ShowDimDraft1")));
    EXPECT_FALSE(runner.checked(cmd("ShowDraft1")));
    EXPECT_FALSE(runner.checked(cmd("HideDraft1")));
    EXPECT_TRUE(runner.run(cmd("SnapGrid1")));
    EXPECT_EQ(shell.calls, std::vector<std::string>{"repaintStatusBar"});
    EXPECT_TRUE(runner.run(cmd("N011")));
    EXPECT_DOUBLE_EQ(w.Scale(), 0.1);
}

TEST_F(Commands, DeleteDraftDropsAReferenceWhosePictureDidNotLoad) {
    // A document whose picture has moved keeps naming it; the user can still let it go.
    w.Document.Settings.draft = {"/nonexistent/moved-away.png", {1, 2}, 0.5};
    ASSERT_FALSE(w.Draft().Present());
    EXPECT_TRUE(runner.enabled(cmd("ClrDraft1")));
    EXPECT_TRUE(runner.run(cmd("ClrDraft1")));
    EXPECT_TRUE(w.Document.Settings.draft.fileName.empty());
    EXPECT_FALSE(runner.enabled(cmd("ClrDraft1")));
}
