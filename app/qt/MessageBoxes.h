#pragma once
// The shell's three message boxes, in one place so that tests can answer them without a
// display: a Yes/No question, the Yes/No/Cancel question and an error box with OK.

#include "canvas/CanvasHost.h"

#include <functional>
#include <string>

class QWidget;

namespace plumex {

// Answers a box instead of showing it; gets the kind and the text.
using MessageResponder = std::function<MessageAnswer(MessageKind, const std::string&)>;

// Replaces the boxes by `responder` until the returned guard ends; an empty responder
// shows the boxes again.
class ScopedMessageResponder {
public:
    explicit ScopedMessageResponder(MessageResponder responder);
    ~ScopedMessageResponder();
    ScopedMessageResponder(const ScopedMessageResponder&) = delete;
    ScopedMessageResponder& operator=(const ScopedMessageResponder&) = delete;

private:
    MessageResponder previous_;
};

// Shows (or lets the responder answer) a box of `kind` with the current language's buttons.
MessageAnswer messageBox(QWidget* parent, const std::string& text, MessageKind kind);

// True only for Yes.
bool confirmYesNo(QWidget* parent, const std::string& text);
MessageAnswer confirmYesNoCancel(QWidget* parent, const std::string& text);
// Sounds the bell, then shows the error.
void showError(QWidget* parent, const std::string& text);

} // namespace plumex
