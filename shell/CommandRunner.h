#pragma once
// Runs the table's commands on one canvas and main window. Every way into a command (menu
// item, shortcut, context menu, fuzzer) comes through here, so what must happen before a
// command happens in one place: its rule is asked again, a running drag ends, and a pen path
// in progress ends when the command edits or selects paths.

#include "canvas/ContextMenu.h"
#include "model/LineList.h"
#include "shell/Command.h"
#include "shell/MenuState.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace plumex {

class CommandRunner : public ContextMenuSource {
public:
    CommandRunner(TCvWindow& canvas, ShellHost& shell);

    // The path facts are gathered again only after the paths were written (a zoom or scroll
    // writes none, so a window of a million anchors answers at once).
    MenuState state() const;
    // How often state() has gathered the path facts.
    std::size_t pathFactsGathered() const { return gathered_; }
    // Built, and allowed by its own rule and by those of the submenus it sits in.
    bool enabled(const Command& c, const MenuState& state) const;
    bool enabled(const Command& c) const { return enabled(c, state()); }
    bool checked(const Command& c) const;

    // Runs the command when it is enabled now; false when it is pending or its rule refuses.
    // An error it throws is shown by the shell.
    bool run(const Command& c, AnchorHit anchor = {});
    // Runs the command that owns the shortcut; false when none does. A command that owns it
    // but is refused still takes the key.
    bool runShortcut(int shortcut);

    // Sees every enabled command about to run, however it came; false skips it. The tests
    // watch the key and menu dispatch through it.
    std::function<bool(const Command&)> watcher;

    std::vector<MenuEntry> contextMenuEntries(TCvWindow& window) override;
    void runContextCommand(TCvWindow& window, int command) override;

private:
    TCvWindow& canvas_;
    ShellHost& shell_;
    AnchorHit contextAnchor_; // the hovered anchor when the context menu opened
    mutable MenuState facts_; // the path facts as of factsMark_
    mutable std::optional<LineList::Mark> factsMark_;
    mutable std::size_t gathered_ = 0;
};

} // namespace plumex
