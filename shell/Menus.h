#pragma once
// The records of each menu, in menu order; CommandTable joins them.

#include "shell/Command.h"

#include <vector>

namespace plumex {

std::vector<Command> keyMoveMenu();
std::vector<Command> fileMenu();
std::vector<Command> editMenu();
std::vector<Command> objectMenu();
std::vector<Command> anchorMenu();
std::vector<Command> viewMenu();
std::vector<Command> optionMenu();
std::vector<Command> helpMenu();
std::vector<Command> contextCommands();

// Repaints and tells the window after an edit made outside the canvas's own commands.
void edited(TCvWindow& canvas);

} // namespace plumex
