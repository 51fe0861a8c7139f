#include "shell/CommandTable.h"

#include "app/LanguageKeys.h"
#include "canvas/Window.h"
#include "shell/Menus.h"

#include <stdexcept>
#include <string>

namespace plumex {

namespace {

std::vector<Command> buildTable() {
    std::vector<Command> table;
    for (auto menu : {keyMoveMenu, fileMenu, editMenu, objectMenu, anchorMenu, viewMenu, optionMenu,
                      helpMenu, contextCommands}) {
        std::vector<Command> part = menu();
        table.insert(table.end(), part.begin(), part.end());
    }
    return table;
}

} // namespace

void edited(TCvWindow& canvas) {
    canvas.Invalidate();
    canvas.Changed();
}

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = buildTable();
    return table;
}

const Command* findCommand(std::string_view name) {
    for (const Command& c : commandTable())
        if (c.name == name) return &c;
    return nullptr;
}

const Command& command(std::string_view name) {
    if (const Command* c = findCommand(name)) return *c;
    throw std::logic_error("no command " + std::string(name));
}

const Command* commandOfShortcut(int shortcut) {
    if (shortcut == 0) return nullptr;
    for (const Command& c : commandTable())
        if (c.shortcut == shortcut) return &c;
    return nullptr;
}

int commandIndex(const Command& c) {
    return static_cast<int>(&c - commandTable().data());
}

std::vector<const Command*> commandsOfKey(int key) {
    std::vector<const Command*> list;
    for (const Command& c : commandTable())
        if (c.key == key) list.push_back(&c);
    // The tool panel item takes whichever side it would move to.
    if (key == M_ToolBarLeft) list.push_back(findCommand("ToolPanelPos1"));
    return list;
}

} // namespace plumex
