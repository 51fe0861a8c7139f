#pragma once
// Shortcuts in the program's own key codes: the low byte is the Windows virtual-key number,
// the high bits the modifiers. Ordering the numbers orders the keys as the shortcut list does.

#include <string>

namespace plumex {

enum ShortcutModifier : int {
    scShift = 0x2000,
    scCtrl = 0x4000,
    scAlt = 0x8000,
};

namespace vk {
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Prior = 0x21; // Page Up
inline constexpr int Next = 0x22;  // Page Down
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Numpad0 = 0x60; // to 0x69
inline constexpr int Multiply = 0x6A;
inline constexpr int Add = 0x6B; // the number pad's plus
inline constexpr int Subtract = 0x6D;
inline constexpr int Decimal = 0x6E;
inline constexpr int Divide = 0x6F;
inline constexpr int F1 = 0x70; // to F24 0x87
inline constexpr int OemSemicolon = 0xBA;
inline constexpr int OemPlus = 0xBB; // the "=" / "+" key of the main keyboard
inline constexpr int OemComma = 0xBC;
inline constexpr int OemMinus = 0xBD;
inline constexpr int OemPeriod = 0xBE;
inline constexpr int OemSlash = 0xBF;
inline constexpr int OemTilde = 0xC0;
inline constexpr int OemOpen = 0xDB; // "["
inline constexpr int OemBackslash = 0xDC;
inline constexpr int OemClose = 0xDD; // "]"
inline constexpr int OemQuote = 0xDE;
} // namespace vk

constexpr int shortcutKey(int shortcut) {
    return shortcut & 0xFF;
}

// The key alone: "Num+", "Del", "F4", "[", "A".
std::string keyName(int key);

// "Shift+Ctrl+[", "Ctrl+Num+", "Alt+Enter"; empty for 0.
std::string shortcutText(int shortcut);

} // namespace plumex
