#pragma once
// Toolkit-free input for the canvas: positions in client pixels, the shift state as bits,
// keys as the program's own key codes (the Windows virtual-key numbering).

#include "canvas/Pixel.h"

namespace plumex {

enum ShiftBits : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

enum class MouseButton { None, Left, Right, Middle };

struct MouseEvent {
    PixelPoint pos;
    MouseButton button = MouseButton::None; // the button pressed or released; None on moves
    unsigned shift = 0;                     // ShiftBits, including the buttons held
};

struct KeyEvent {
    int key = 0;
    unsigned shift = 0;
};

namespace key {
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12; // Alt
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
} // namespace key

} // namespace plumex
