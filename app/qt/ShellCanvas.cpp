#include "app/qt/ShellCanvas.h"

#include "app/qt/Cursors.h"
#include "app/qt/MessageBoxes.h"

namespace plumex {

void ShellCanvas::setCursor(CursorShape shape) {
    QWidget::setCursor(shellCursor(shape));
}

MessageAnswer ShellCanvas::messageBox(const std::string& text, MessageKind kind) {
    return plumex::messageBox(this, text, kind);
}

} // namespace plumex
