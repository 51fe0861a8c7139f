#include "app/MenuTree.h"
#include "app/MenuRules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace plumex;

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
        {"M_ToolBarRight", "ToolPanelPos1"}};
    std::string_view keyName = CaptionKeyNames[key];
    if (auto it = exceptions.find(keyName); it != exceptions.end()) return it->second;
    return std::string(keyName.substr(2)) + "1";
}

} // namespace

TEST(MenuTree, EveryCaptionKeyGoesToTheItemItsNameSays) {
    for (const MenuItemDef& item : mainMenuItems()) {
        if (item.key < 0) {
            EXPECT_FALSE(item.fixed.empty()) << item.name;
            continue;
        }
        std::string expected = ruleName(item.key);
        if (item.name == "Prism2" || item.name == "Lathe2" || item.name == "Array2")
            expected.back() = '2';
        EXPECT_EQ(item.name, expected);
    }
}

TEST(MenuTree, NamesAndShortcutsAreUniqueAndParentsExist) {
    std::set<std::string_view> names, shortcuts;
    for (const MenuItemDef& item : mainMenuItems()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        if (!item.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(item.shortcut).second) << item.shortcut;
        }
        if (!item.parent.empty()) {
            const MenuItemDef* parent = findMenuItem(item.parent);
            ASSERT_NE(parent, nullptr) << item.name;
            EXPECT_TRUE(parent->flags & MenuSubmenu) << item.parent;
        }
    }
    for (std::string_view pending : pendingMenuItems())
        EXPECT_NE(findMenuItem(pending), nullptr) << pending;
}

TEST(MenuTree, ExportItemsCarryTheirCodesInTheTag) {
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
        EXPECT_EQ(findMenuItem(name)->tag, tag) << name;
}

TEST(MenuRules, ToolsWrapBothWays) {
    EXPECT_EQ(nextTool(6), 0);
    EXPECT_EQ(previousTool(0), 6);
    EXPECT_EQ(nextTool(2), 3);
    EXPECT_EQ(previousTool(3), 2);
}

TEST(MenuRules, SelectionDrivenItems) {
    MenuState s;
    s.paths = 3;
    EXPECT_FALSE(menuItemEnabled("POVCopy1", s));
    EXPECT_FALSE(menuItemEnabled("Intersect1", s));
    EXPECT_TRUE(menuItemEnabled("ZoomFitAll1", s));
    EXPECT_FALSE(menuItemEnabled("ZoomFitSel1", s));
    s.selectedPaths = 1;
    EXPECT_TRUE(menuItemEnabled("POVCopy1", s));
    EXPECT_TRUE(menuItemEnabled("POVExport1", s));
    EXPECT_TRUE(menuItemEnabled("Lock1", s));
    EXPECT_FALSE(menuItemEnabled("Intersect1", s));
    EXPECT_TRUE(menuRuleAllows("Layer1", s));
    s.selectedPaths = 3;
    EXPECT_FALSE(menuRuleAllows("Layer1", s)); // nothing left to go in front of
    EXPECT_TRUE(menuItemEnabled("Intersect1", s));
    EXPECT_FALSE(menuItemEnabled("UnLock1", s));
    s.lockedPaths = 1;
    EXPECT_TRUE(menuItemEnabled("UnLock1", s));
}

TEST(MenuRules, AlignCountsAnchorsOnlyWithTheAnchorTool) {
    MenuState s;
    s.paths = s.selectedPaths = 2;
    EXPECT_TRUE(menuRuleAllows("Align1", s));
    s.tool = 1; // anchor point tool
    s.selectedAnchors = 1;
    EXPECT_FALSE(menuRuleAllows("Align1", s));
    EXPECT_TRUE(menuRuleAllows("CutSegments1", s));
    s.tool = 0;
    EXPECT_FALSE(menuRuleAllows("CutSegments1", s));
}

TEST(MenuRules, PendingItemsStayDisabledWhateverTheState) {
    MenuState s;
    s.paths = s.selectedPaths = 2;
    s.clipboardHasPaths = true;
    EXPECT_TRUE(menuItemEnabled("Paste1", s));
    EXPECT_FALSE(menuItemEnabled("AboutKey1", s));
    EXPECT_TRUE(menuItemEnabled("Property1", s));
    EXPECT_TRUE(menuItemEnabled("Exit1", s));
}
