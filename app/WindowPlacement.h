#pragma once
// Where a stored window rectangle may go on the screen it is shown on: a rectangle saved on a
// larger screen, or grown past the screen, would otherwise open partly out of reach.

namespace plumex {

struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// `window` no larger than `screen` and moved, as little as it takes, to lie within it.
WindowRect clampToScreen(WindowRect window, const WindowRect& screen);

// The window of a first start: most of the screen, never under the classic 640x456 where the
// screen has room for it, centred.
WindowRect firstWindowOn(const WindowRect& screen);

} // namespace plumex
