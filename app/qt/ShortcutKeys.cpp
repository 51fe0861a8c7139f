#include "app/qt/ShortcutKeys.h"

#include "shell/Shortcut.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace plumex {

namespace {

int keypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Plus:
        return vk::Add;
    case Qt::Key_Minus:
        return vk::Subtract;
    case Qt::Key_Asterisk:
        return vk::Multiply;
    case Qt::Key_Slash:
        return vk::Divide;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return vk::Decimal;
    default:
        return 0; // the navigation keys of the pad are the ordinary ones
    }
}

int keyCode(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::Prior;
    case Qt::Key_PageDown:
        return vk::Next;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    // The symbol keys come as the symbol Shift makes of them.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return vk::OemSemicolon;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return vk::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return vk::OemComma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return vk::OemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return vk::OemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return vk::OemSlash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return vk::OemTilde;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return vk::OemOpen;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return vk::OemBackslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return vk::OemClose;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return vk::OemQuote;
    default:
        return 0;
    }
}

bool isTextField(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
        qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w))
        return true;
    auto* combo = qobject_cast<QComboBox*>(w);
    return combo && combo->isEditable();
}

bool isChooser(QWidget* w) {
    return qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w);
}

bool isMoveKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

// Asks the widget as Qt's shortcut map would; the widget's own event filters are not involved.
bool claimsShortcut(QWidget* w, const QKeyEvent& event) {
    QKeyEvent ask(QEvent::ShortcutOverride, event.key(), event.modifiers(), event.text(),
                  event.isAutoRepeat(), static_cast<quint16>(event.count()));
    ask.ignore();
    static_cast<QObject*>(w)->event(&ask);
    return ask.isAccepted();
}

} // namespace

bool focusOwnsKey(QWidget* focus, const QKeyEvent& event) {
    if (!focus) return false;
    const int key = event.key();
    const bool plain =
        !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        !(key >= Qt::Key_F1 && key <= Qt::Key_F35);
    if (plain && isTextField(focus)) return true;
    if (plain && isChooser(focus)) {
        const QString text = event.text();
        if (isMoveKey(key) || (!text.isEmpty() && text.front().isPrint())) return true;
    }
    return claimsShortcut(focus, event);
}

int shortcutOfKeyEvent(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    const int key = event.key();
    int code = (m & Qt::KeypadModifier) ? keypadCode(key) : 0;
    if (code == 0) code = keyCode(key);
    if (code == 0) return 0;
    if (m & Qt::ShiftModifier || key == Qt::Key_Backtab) code |= scShift;
    if (m & Qt::ControlModifier) code |= scCtrl;
    if (m & Qt::AltModifier) code |= scAlt;
    return code;
}

} // namespace plumex
