#pragma once
// The table of every command, in menu order: the hidden key-move menu first, then the menus
// of the bar, then the commands only the canvas's context menu offers.

#include "shell/Command.h"

#include <string_view>
#include <vector>

namespace plumex {

const std::vector<Command>& commandTable();

// The command of that name, or nullptr.
const Command* findCommand(std::string_view name);
// The command of that name; a missing one is a fault of the program (std::logic_error).
const Command& command(std::string_view name);
// The command a shortcut runs, or nullptr.
const Command* commandOfShortcut(int shortcut);
// The position of a command in the table.
int commandIndex(const Command& c);

// The items a caption key goes to when a language is applied.
std::vector<const Command*> commandsOfKey(int key);

} // namespace plumex
