#include "app/WindowPlacement.h"

#include <algorithm>

namespace plumex {

WindowRect clampToScreen(WindowRect window, const WindowRect& screen) {
    if (screen.width <= 0 || screen.height <= 0) return window;
    window.width = std::clamp(window.width, 1, screen.width);
    window.height = std::clamp(window.height, 1, screen.height);
    window.left = std::clamp(window.left, screen.left, screen.left + screen.width - window.width);
    window.top = std::clamp(window.top, screen.top, screen.top + screen.height - window.height);
    return window;
}

} // namespace plumex
