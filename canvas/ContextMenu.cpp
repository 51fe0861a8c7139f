#include "canvas/ContextMenu.h"

#include "app/Languages.h"
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

MenuEntry menuEntry(int command, bool enabled) {
    MenuEntry e;
    e.command = command;
    e.caption = menuCaption(caption(command));
    e.enabled = enabled;
    return e;
}

MenuEntry menuSeparator() {
    MenuEntry e;
    e.separator = true;
    return e;
}

void addSeparator(std::vector<MenuEntry>& entries) {
    if (!entries.empty() && !entries.back().separator) entries.push_back(menuSeparator());
}

std::optional<AnchorRef> hoveredSelectedAnchor(const TCvWindow& window) {
    const AnchorHit hit = window.Hover().anchor;
    if (!hit) return std::nullopt;
    const auto& lines = window.Document.Lines;
    if (hit.path >= static_cast<int>(lines.size())) return std::nullopt;
    const TCvLine& line = lines[static_cast<std::size_t>(hit.path)];
    if (hit.point < 0 || hit.point >= line.count()) return std::nullopt;
    if (!line.points[static_cast<std::size_t>(hit.point)].selected) return std::nullopt;
    return AnchorRef{hit.path, hit.point};
}

namespace {

// The menu is open: presses count as mouse moves, the release closes it.
class ContextMenuState : public Drag {
public:
    int state() const override { return dsContextMenu; }
    void move(TCvWindow&, const MouseEvent&) override {}
    void release(TCvWindow& window, const MouseEvent&) override { window.EndDrag(); }
};

} // namespace

} // namespace plumex

using namespace plumex;

std::vector<MenuEntry> TCvWindow::contextMenuEntries() {
    std::vector<MenuEntry> entries;
    CurrentTool().contextMenuItems(*this, entries);
    bool locked = false;
    bool hidden = false;
    for (const TCvLine& l : Document.Lines) {
        locked = locked || l.locked;
        hidden = hidden || !l.visible;
    }
    addSeparator(entries);
    if (locked) entries.push_back(menuEntry(cmUnlock));
    if (hidden) entries.push_back(menuEntry(cmShowAll));
    entries.push_back(menuEntry(cmZoomIn));
    entries.push_back(menuEntry(cmZoomOut));
    if (Document.CountSelected() > 0) entries.push_back(menuEntry(cmFitSelected));
    return entries;
}

void TCvWindow::OpenContextMenu(PixelPoint at) {
    if (!host_) return;
    const std::vector<MenuEntry> entries = contextMenuEntries();
    press_.doubleClick = false;
    BeginDrag(std::make_unique<ContextMenuState>());
    refreshCursor();
    const std::optional<int> chosen = host_->contextMenu(entries, at);
    if (DragState() == dsContextMenu) EndDrag();
    if (chosen) RunMenuCommand(*chosen);
}

bool TCvWindow::RunMenuCommand(int command) {
    if (CurrentTool().runCommand(*this, command)) return true;
    switch (command) {
    case cmLock:
        Document.Lock();
        break;
    case cmUnlock:
        Document.UnlockAll();
        break;
    case cmHide:
        Document.Hide();
        break;
    case cmShowAll:
        Document.ShowAll();
        break;
    case cmFront:
        LayerFront();
        return true;
    case cmBack:
        LayerBack();
        return true;
    case cmDupe:
        Dupe();
        return true;
    case cmZoomIn:
        ZoomTo(Scale() * 2);
        return true;
    case cmZoomOut:
        ZoomTo(Scale() * 0.5);
        return true;
    case cmFitSelected:
        FitSelection();
        return true;
    default:
        return false;
    }
    invalidateAll();
    Changed();
    return true;
}
