// The pen path's life outside the pen tool's own presses: ending it, and finding it again
// after undo and redo.
#include "canvas/ToolBehaviour.h"
#include "canvas/Window.h"

#include "canvas/PenPath.h"

using namespace plumex;

void TCvWindow::EndPenPath() {
    if (penPath_ < 0) return;
    removeFloatingAnchor(Document.Lines.edit(), penPath_);
    penPath_ = -1;
    // The floating anchor followed the mouse into the selection's bounds.
    Document.UpdateSelectionBounds();
    invalidateAll();
}

void TCvWindow::restorePenPath(int index) {
    const bool valid = index >= 0 && index < static_cast<int>(Document.Lines.size());
    penPath_ = valid ? index : -1;
    // A snapshot taken while drawing holds the floating anchor; only the pen tool wants it.
    if (!CurrentTool().keepsPenPath()) EndPenPath();
}

std::optional<HandleLine> TCvWindow::DraggedHandle() const {
    if (!drag_) return std::nullopt;
    return drag_->handleLine(*this);
}
