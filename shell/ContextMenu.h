#pragma once
// Which commands of the table the canvas's context menu offers, by tool and state.

#include "shell/Command.h"

#include <vector>

namespace plumex {

struct ContextItem {
    const Command* command = nullptr; // nullptr: a separator
    int key = -1;                     // the caption key when it differs from the command's
};

// The items for the canvas's state as the menu opens, separators included (never two in a
// row, never first).
std::vector<ContextItem> contextMenuItems(const TCvWindow& canvas, const MenuState& state);

} // namespace plumex
