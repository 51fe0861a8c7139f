#pragma once
// When the main window's menu items are enabled, and which items wait for commands that are
// not built yet.

#include <string_view>
#include <vector>

namespace plumex {

// What the enabling rules look at, gathered from the canvas when a menu opens.
struct MenuState {
    int paths = 0;
    int selectedPaths = 0;
    int lockedPaths = 0;
    int hiddenPaths = 0;
    int tool = 0; // 0 object tool ... 6 zoom tool
    bool canUndo = false;
    bool canRedo = false;
    bool clipboardHasPaths = false;
    bool draftLoaded = false;
    int selectedAnchors = 0; // selected anchors of selected paths
    bool selectedOpenPath = false;
    bool joinable = false;      // Join End Anchors has a pair to join
    bool separable = false;     // a selected anchor is not an end anchor
    bool handlesCopied = false; // Copy Handle has run in this window
};

// The tool after and before `tool` in the cycle of the seven tools.
int nextTool(int tool);
int previousTool(int tool);

// Items present in the menus but disabled because their command is not built yet.
const std::vector<std::string_view>& pendingMenuItems();
bool isPendingMenuItem(std::string_view name);

// The item's own rule from the state; true for items without a rule.
bool menuRuleAllows(std::string_view name, const MenuState& state);

// Enabled: not pending and allowed by its rule.
bool menuItemEnabled(std::string_view name, const MenuState& state);

} // namespace plumex
