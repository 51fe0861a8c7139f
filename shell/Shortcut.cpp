#include "shell/Shortcut.h"

namespace plumex {

std::string keyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9)
        return "Num" + std::string(1, char('0' + key - vk::Numpad0));
    if (key >= vk::F1 && key < vk::F1 + 24) return "F" + std::to_string(key - vk::F1 + 1);
    switch (key) {
    case vk::Back:
        return "BkSp";
    case vk::Tab:
        return "Tab";
    case vk::Return:
        return "Enter";
    case vk::Escape:
        return "Esc";
    case vk::Space:
        return "Space";
    case vk::Prior:
        return "PgUp";
    case vk::Next:
        return "PgDn";
    case vk::End:
        return "End";
    case vk::Home:
        return "Home";
    case vk::Left:
        return "Left";
    case vk::Up:
        return "Up";
    case vk::Right:
        return "Right";
    case vk::Down:
        return "Down";
    case vk::Insert:
        return "Ins";
    case vk::Delete:
        return "Del";
    case vk::Multiply:
        return "Num*";
    case vk::Add:
        return "Num+";
    case vk::Subtract:
        return "Num-";
    case vk::Decimal:
        return "Num.";
    case vk::Divide:
        return "Num/";
    case vk::OemSemicolon:
        return ";";
    case vk::OemPlus:
        return "=";
    case vk::OemComma:
        return ",";
    case vk::OemMinus:
        return "-";
    case vk::OemPeriod:
        return ".";
    case vk::OemSlash:
        return "/";
    case vk::OemTilde:
        return "`";
    case vk::OemOpen:
        return "[";
    case vk::OemBackslash:
        return "\\";
    case vk::OemClose:
        return "]";
    case vk::OemQuote:
        return "'";
    default:
        return "#" + std::to_string(key);
    }
}

std::string shortcutText(int shortcut) {
    if (shortcut == 0) return {};
    std::string text;
    if (shortcut & scShift) text += "Shift+";
    if (shortcut & scCtrl) text += "Ctrl+";
    if (shortcut & scAlt) text += "Alt+";
    return text + keyName(shortcutKey(shortcut));
}

} // namespace plumex
