#pragma once
// The canvas tools, numbered as the tool buttons and the Edit menu's tool cycling count them.

#include <optional>

namespace plumex {

enum class ToolKind : int {
    Object = 0,
    Anchor = 1,
    Pen = 2,
    Rect = 3,
    Ellipse = 4,
    Text = 5,
    Zoom = 6,
};
inline constexpr int ToolCount = 7;

inline int toolIndex(ToolKind t) {
    return static_cast<int>(t);
}

// The tool of a button or stored number; nullopt when the number names none.
inline std::optional<ToolKind> toolFromIndex(int n) {
    if (n < 0 || n >= ToolCount) return std::nullopt;
    return static_cast<ToolKind>(n);
}

} // namespace plumex
