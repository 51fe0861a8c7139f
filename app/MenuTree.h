#pragma once
// The main window's menu tree as data: every item with its caption key, shortcut and tag, in
// menu order. The Qt window builds its menus from this table and re-captions them from it.

#include "app/LanguageKeys.h"

#include <string_view>
#include <vector>

namespace plumex {

enum MenuFlag : unsigned {
    MenuHidden = 1,     // never shown (its shortcuts still work when it has any)
    MenuCheckable = 2,  // a check mark set when the menu opens
    MenuRadioGrid = 4,  // one of the two grid-size items
    MenuRadioDraft = 8, // one of the three draft items
    MenuSeparator = 16, // a separator line above the item
    MenuSubmenu = 32,   // opens a submenu (top-level menus are submenus of the bar)
};

struct MenuItemDef {
    std::string_view name;   // the component name, e.g. "SaveAs1"
    std::string_view parent; // empty for the menus of the menu bar
    int key;                 // caption key, or -1 for the fixed caption
    std::string_view fixed;  // caption used when key is -1
    // "Ctrl+", "Shift+", "Alt+" modifiers; "Num+" and "Num-" are the number-pad keys.
    std::string_view shortcut;
    int tag = 0;
    unsigned flags = 0;
};

const std::vector<MenuItemDef>& mainMenuItems();

// The item of that name, or nullptr.
const MenuItemDef* findMenuItem(std::string_view name);

// The item a caption key goes to by the naming rule: "M_X" to "X1", apart from the items
// whose names do not follow it. Empty for keys that name no menu item of the main menu.
std::vector<std::string_view> menuItemsOfKey(int key);

} // namespace plumex
