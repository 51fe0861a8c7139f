#pragma once
// One record per command of the program: where it sits in the menus, its caption, its
// shortcut, when it is enabled and what it does. The main menu, the hidden key-move menu, the
// canvas's context menu, the shortcut list and the canvas fuzzer are all built from these.

#include "canvas/HitTest.h"
#include "shell/MenuState.h"
#include "shell/Shortcut.h"

#include <string_view>

class TCvWindow;

namespace plumex {
class ShellHost;
struct Command;

// What an action works on.
struct CommandContext {
    TCvWindow& canvas;
    ShellHost& shell;
    const Command& command;
    // The anchor a context menu was opened on; empty from the main menu and shortcuts.
    AnchorHit anchor;
};

using CommandAction = void (*)(CommandContext&);
using EnableRule = bool (*)(const MenuState&);
using CheckRule = bool (*)(const CommandContext&);

enum CommandFlag : unsigned {
    cfSubmenu = 1u << 0,   // opens a submenu (the menus of the bar are submenus too)
    cfHidden = 1u << 1,    // never shown; its shortcut still works
    cfSeparator = 1u << 2, // a separator line above the item
    cfCheckable = 1u << 3, // `checked` sets its mark when the menu opens
    cfRadioGrid = 1u << 4, // one of the two grid-size items
    cfRadioDraft = 1u << 5,
    cfEndsPenPath = 1u << 6, // it edits or selects paths, so a pen path in progress ends first
    cfContextOnly = 1u << 7, // offered by the canvas's context menu only
};

struct Command {
    std::string_view name{};        // the component name, e.g. "SaveAs1"
    std::string_view parent{};      // the submenu it sits in; empty for the menus of the bar
    int key = -1;                   // caption key; -1 for the fixed caption
    std::string_view fixed{};       // caption used when key is -1
    int shortcut = 0;               // scShift/scCtrl/scAlt | key code; 0 for none
    unsigned flags = 0;             // CommandFlag bits
    int tag = 0;                    // the number a shared action reads (export code, preset scale)
    EnableRule enabled = nullptr;   // nullptr: always enabled
    CheckRule checked = nullptr;    // the check mark of a cfCheckable item
    CommandAction action = nullptr; // nullptr: not built yet, shown disabled

    bool pending() const { return !action && !(flags & cfSubmenu); }
};

} // namespace plumex
