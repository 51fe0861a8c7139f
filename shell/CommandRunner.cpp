#include "shell/CommandRunner.h"

#include "app/Languages.h"
#include "canvas/Window.h"
#include "shell/CommandTable.h"
#include "shell/ContextMenu.h"
#include "shell/ShellHost.h"

#include <exception>

namespace plumex {

CommandRunner::CommandRunner(TCvWindow& canvas, ShellHost& shell)
    : canvas_(canvas), shell_(shell) {}

MenuState CommandRunner::state() const {
    // Every write of a path, its selection included, moves the mark; a new drawing starts a
    // mark no other list has had.
    const LineList::Mark mark = canvas_.Document.Lines.mark();
    if (factsMark_ != mark) {
        facts_ = {};
        gatherPathFacts(facts_, canvas_.Document);
        factsMark_ = mark;
        ++gathered_;
    }
    MenuState s = facts_;
    gatherViewFacts(s, canvas_, shell_);
    return s;
}

bool CommandRunner::enabled(const Command& c, const MenuState& s) const {
    if (c.pending()) return false;
    for (const Command* item = &c; item; item = findCommand(item->parent)) {
        if (item->enabled && !item->enabled(s)) return false;
        if (item->parent.empty()) break;
    }
    return true;
}

bool CommandRunner::checked(const Command& c) const {
    if (!c.checked) return false;
    CommandContext context{canvas_, shell_, c, {}};
    return c.checked(context);
}

bool CommandRunner::run(const Command& c, AnchorHit anchor) {
    // A submenu only opens.
    if (!c.action || !enabled(c)) return false;
    if (watcher && !watcher(c)) return true;
    // A key or menu can come while a mouse button still drives a drag over the paths.
    canvas_.CancelDrag();
    if (c.flags & cfEndsPenPath) canvas_.EndPenPath();
    CommandContext context{canvas_, shell_, c, anchor};
    try {
        c.action(context);
    } catch (const std::exception& e) {
        shell_.reportError(e.what());
    }
    return true;
}

bool CommandRunner::runShortcut(int shortcut) {
    const Command* c = commandOfShortcut(shortcut);
    if (!c) return false;
    run(*c);
    return true;
}

std::vector<MenuEntry> CommandRunner::contextMenuEntries(TCvWindow& window) {
    contextAnchor_ = window.Hover().anchor;
    const MenuState s = state();
    std::vector<MenuEntry> entries;
    for (const ContextItem& item : contextMenuItems(window, s)) {
        MenuEntry e;
        if (!item.command) {
            e.separator = true;
        } else {
            e.command = commandIndex(*item.command);
            e.caption = menuCaption(caption(item.key >= 0 ? item.key : item.command->key));
            e.enabled = enabled(*item.command, s);
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

void CommandRunner::runContextCommand(TCvWindow&, int command) {
    const auto& table = commandTable();
    if (command < 0 || command >= static_cast<int>(table.size())) return;
    run(table[static_cast<std::size_t>(command)], contextAnchor_);
}

} // namespace plumex
