#pragma once
// Qt's key events in the program's own shortcut codes.

class QKeyEvent;
class QWidget;

namespace plumex {

// The shortcut code of a key press (modifiers included), 0 for keys the program has no code
// for. The number-pad keys keep their own codes, so Num+ is not the main keyboard's "+".
int shortcutOfKeyEvent(const QKeyEvent& event);

// Whether a key pressed while `focus` has the keyboard is that widget's own, so no command may
// take it: typing and editing in a text field, moving and typing in a list, a grid or a combo
// box, and any shortcut the widget claims itself (Ctrl+Z in a field).
bool focusOwnsKey(QWidget* focus, const QKeyEvent& event);

} // namespace plumex
