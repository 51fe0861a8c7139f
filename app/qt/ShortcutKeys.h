#pragma once
// Qt's key events in the program's own shortcut codes.

class QKeyEvent;

namespace plumex {

// The shortcut code of a key press (modifiers included), 0 for keys the program has no code
// for. The number-pad keys keep their own codes, so Num+ is not the main keyboard's "+".
int shortcutOfKeyEvent(const QKeyEvent& event);

} // namespace plumex
