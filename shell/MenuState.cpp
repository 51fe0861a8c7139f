#include "shell/MenuState.h"

#include "canvas/Window.h"
#include "commands/AnchorCommands.h"
#include "commands/BooleanCommands.h"
#include "shell/ShellHost.h"

namespace plumex {

MenuState menuStateOf(const TCvWindow& canvas, const ShellHost& shell) {
    MenuState s;
    gatherPathFacts(s, canvas.Document);
    gatherViewFacts(s, canvas, shell);
    return s;
}

void gatherPathFacts(MenuState& s, const TCvDocument& doc) {
    s.paths = static_cast<int>(doc.Lines.size());
    for (const TCvLine& line : doc.Lines) {
        s.selectedPaths += line.selected;
        s.lockedPaths += line.locked;
        s.hiddenPaths += !line.visible;
        const int last = line.count() - 1;
        for (int i = 0; i <= last; ++i) {
            if (!line.points[static_cast<std::size_t>(i)].selected) continue;
            if (line.selected) ++s.selectedAnchors;
        }
        if (line.selected && !line.closed) s.selectedOpenPath = true;
    }
    s.joinable = CanJoinEndAnchors(doc);
    s.separable = CanSeparateAnchors(doc);
    s.combinable = CanCombineSelected(doc, BooleanOperation::Difference);
    s.resolvable = !s.combinable && CanCombineSelected(doc, BooleanOperation::Union);
}

void gatherViewFacts(MenuState& s, const TCvWindow& canvas, const ShellHost& shell) {
    const TCvDocument& doc = canvas.Document;
    s.tool = canvas.Tool();
    s.canUndo = doc.UndoBuffer.CanUndo();
    s.canRedo = doc.UndoBuffer.CanRedo();
    s.draftLoaded = canvas.Draft().Present() || !doc.Settings.draft.fileName.empty();
    s.draftShown = canvas.Draft().Present();
    s.clipboardHasPaths = shell.clipboardHasPaths();
    s.recentFiles = shell.recentFilesEnabled();
    s.handlesCopied = canvas.HasHandleClipboard();
}

ToolKind nextTool(ToolKind tool) {
    return static_cast<ToolKind>((toolIndex(tool) + 1) % ToolCount);
}

ToolKind previousTool(ToolKind tool) {
    return static_cast<ToolKind>((toolIndex(tool) + ToolCount - 1) % ToolCount);
}

bool anySelected(const MenuState& s) {
    return s.selectedPaths > 0;
}

bool anyPaths(const MenuState& s) {
    return s.paths > 0;
}

bool segmentsOfSelection(const MenuState& s) {
    return s.tool == ToolKind::Anchor && s.selectedPaths > 0;
}

bool never(const MenuState&) {
    return false;
}

} // namespace plumex
