#pragma once
// The canvas widget as the main window hosts it: the program's own cursors, and message
// boxes through the shell's helper so that they follow the language and can be scripted.

#include "canvas/qt/CanvasWidget.h"

namespace plumex {

class ShellCanvas : public CanvasWidget {
    Q_OBJECT
public:
    using CanvasWidget::CanvasWidget;

    void setCursor(CursorShape shape) override;
    MessageAnswer messageBox(const std::string& text, MessageKind kind) override;
};

} // namespace plumex
