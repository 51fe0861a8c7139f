#include "shell/ContextMenu.h"

#include "app/LanguageKeys.h"
#include "canvas/Window.h"
#include "commands/AnchorCommands.h"
#include "shell/CommandTable.h"
#include "shell/Menus.h"

namespace plumex {

namespace {

class Items {
public:
    void add(std::string_view name, int key = -1) { list.push_back({&command(name), key}); }
    void separator() {
        if (!list.empty() && list.back().command) list.push_back({});
    }
    std::vector<ContextItem> list;
};

bool hoveredSelected(const TCvWindow& w) {
    const AnchorHit hit = w.Hover().anchor;
    const auto& lines = w.Document.Lines;
    if (!hit || hit.path >= static_cast<int>(lines.size())) return false;
    const TCvLine& line = lines[static_cast<std::size_t>(hit.path)];
    return hit.point >= 0 && hit.point < line.count() &&
           line.points[static_cast<std::size_t>(hit.point)].selected;
}

void objectToolItems(const TCvWindow& w, const MenuState& s, Items& items) {
    if (hoveredSelected(w)) {
        items.add("MoveThisPt");
        items.add("CopyHandleThis");
        if (s.handlesCopied) items.add("PasteHandleThis");
    }
    if (!anySelected(s)) return;
    items.separator();
    items.add("InputMove1", M_Move);
    items.add("InputExpand1", M_Expand);
    items.add("InputRotate1", M_Rotate);
    items.add("Shear1");
    items.add("Dupe1");
    items.separator();
    for (auto name : {"Union1", "Difference1", "Intersection1", "Exclusion1", "Division1"})
        if (command(name).enabled(s)) items.add(name);
    items.separator();
    for (auto name : {"Lock1", "Hide1", "LayerFront1", "LayerBack1"}) items.add(name);
    items.separator();
    items.add("Property1");
}

void anchorToolItems(const TCvWindow& w, const MenuState& s, Items& items) {
    const bool hovered = hoveredSelected(w);
    if (hovered && s.selectedAnchors > 1) items.add("MoveThisPt");
    if (hovered || s.selectedAnchors == 1) {
        items.add("CopyHandleThis");
        if (s.handlesCopied) items.add("PasteHandleThis");
    }
    if (!anySelected(s)) return;
    items.separator();
    items.add("InputMove1", M_Move);
    for (auto name : {"JoinAnchor1", "JoinAnchor2", "JoinAnchor3", "CutAnchor1"}) {
        const Command& c = command(name);
        if (!c.enabled || c.enabled(s)) items.add(name);
    }
}

// The anchor the menu was opened on when it is selected; empty means the single selected one.
std::optional<AnchorRef> selectedAnchor(const CommandContext& c) {
    const AnchorHit& a = c.anchor;
    const auto& lines = c.canvas.Document.Lines;
    if (!a || a.path >= static_cast<int>(lines.size())) return std::nullopt;
    const TCvLine& line = lines[static_cast<std::size_t>(a.path)];
    if (a.point < 0 || a.point >= line.count()) return std::nullopt;
    if (!line.points[static_cast<std::size_t>(a.point)].selected) return std::nullopt;
    return AnchorRef{a.path, a.point};
}

} // namespace

std::vector<ContextItem> contextMenuItems(const TCvWindow& canvas, const MenuState& state) {
    Items items;
    if (canvas.Tool() == ToolKind::Object) objectToolItems(canvas, state, items);
    if (canvas.Tool() == ToolKind::Anchor) anchorToolItems(canvas, state, items);
    items.separator();
    if (state.lockedPaths > 0) items.add("UnLock1");
    if (state.hiddenPaths > 0) items.add("ShowAll1");
    items.add("ZoomIn1");
    items.add("ZoomOut1");
    if (anySelected(state)) items.add("ZoomFitSel1");
    return items.list;
}

// Commands that only the canvas's context menu offers: they act on the anchor it was opened on.
std::vector<Command> contextCommands() {
    return {
        {.name = "MoveThisPt",
         .key = M_MoveThisPt,
         .flags = cfContextOnly,
         .action =
             [](CommandContext& c) {
                 const AnchorHit& a = c.anchor;
                 const auto& lines = c.canvas.Document.Lines;
                 if (!a || a.path >= static_cast<int>(lines.size()) ||
                     a.point >= lines[static_cast<std::size_t>(a.path)].count())
                     return;
                 c.canvas.MoveDialog(a.at);
             }},
        {.name = "CopyHandleThis",
         .key = M_CopyHandleThis,
         .flags = cfContextOnly,
         .action = [](CommandContext& c) { c.canvas.CopyHandle(selectedAnchor(c)); }},
        {.name = "PasteHandleThis",
         .key = M_PasteHandleThis,
         .flags = cfContextOnly | cfEndsPenPath,
         .action = [](CommandContext& c) { c.canvas.PasteHandle(selectedAnchor(c)); }},
    };
}

} // namespace plumex
