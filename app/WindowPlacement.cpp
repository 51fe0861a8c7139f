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

WindowRect firstWindowOn(const WindowRect& screen) {
    WindowRect window{0, 0, std::max(640, screen.width * 7 / 10),
                      std::max(456, screen.height * 7 / 10)};
    window = clampToScreen(window, screen);
    window.left = screen.left + (screen.width - window.width) / 2;
    window.top = screen.top + (screen.height - window.height) / 2;
    return window;
}

} // namespace plumex
