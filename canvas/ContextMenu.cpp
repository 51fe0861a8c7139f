#include "canvas/ContextMenu.h"

#include "canvas/Drag.h"
#include "canvas/ToolBehaviour.h"
#include "canvas/Window.h"

namespace plumex {

std::string menuCaption(const std::string& text) {
    static constexpr std::string_view fullWidth = "\xEF\xBC\x88"; // U+FF08 in UTF-8
    std::size_t cut = text.find('(');
    cut = std::min(cut, text.find(fullWidth));
    return text.substr(0, cut);
}

MenuEntry menuSeparator() {
    MenuEntry e;
    e.separator = true;
    return e;
}

void addSeparator(std::vector<MenuEntry>& entries) {
    if (!entries.empty() && !entries.back().separator) entries.push_back(menuSeparator());
}

namespace {

// The menu is open: presses count as mouse moves, the release closes it.
class ContextMenuState : public Drag {
public:
    DragKind state() const override { return DragKind::ContextMenu; }
    void move(TCvWindow&, const MouseEvent&) override {}
    void release(TCvWindow& window, const MouseEvent&) override { window.EndDrag(); }
};

} // namespace

} // namespace plumex

using namespace plumex;

void TCvWindow::OpenContextMenu(PixelPoint at) {
    if (!host_) return;
    const std::vector<MenuEntry> entries = contextMenuSource_
                                               ? contextMenuSource_->contextMenuEntries(*this)
                                               : std::vector<MenuEntry>{};
    press_.doubleClick = false;
    BeginDrag(std::make_unique<ContextMenuState>());
    refreshCursor();
    const std::optional<int> chosen = host_->contextMenu(entries, at);
    if (DragState() == DragKind::ContextMenu) EndDrag();
    if (chosen && contextMenuSource_) contextMenuSource_->runContextCommand(*this, *chosen);
}
