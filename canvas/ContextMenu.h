#pragma once
// The canvas's context menu: what it holds and what its entries do come from the shell's
// command table through a ContextMenuSource; the canvas opens it and runs the choice.

#include "canvas/CanvasHost.h"

#include <string>
#include <vector>

class TCvWindow;

namespace plumex {

class ContextMenuSource {
public:
    virtual ~ContextMenuSource() = default;
    // The entries for the window's state as the menu opens.
    virtual std::vector<MenuEntry> contextMenuEntries(TCvWindow& window) = 0;
    // Runs the command of a chosen entry.
    virtual void runContextCommand(TCvWindow& window, int command) = 0;
};

// A caption cut before its first opening parenthesis, ASCII or full-width, so that an
// accelerator suffix such as "(&M)" disappears.
std::string menuCaption(const std::string& text);

MenuEntry menuSeparator();

// Adds a separator unless the list is empty or already ends in one.
void addSeparator(std::vector<MenuEntry>& entries);

} // namespace plumex
