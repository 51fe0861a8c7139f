#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <random>

using namespace plumex;

// Any screen, from a phone-sized one to a wall of monitors offset anywhere: the first window
// lies on it, centred, as large as 640x456 where it fits and never a sliver of a large screen.
TEST(WindowPlacement, TheFirstWindowIsCentredOnTheScreenAndNoSmallerThanTheClassicSize) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(200, 8000), offset(-5000, 5000);
    for (int i = 0; i < 2000; ++i) {
        const WindowRect screen{offset(random), offset(random), size(random), size(random)};
        const WindowRect w = firstWindowOn(screen);
        EXPECT_GE(w.left, screen.left);
        EXPECT_GE(w.top, screen.top);
        EXPECT_LE(w.left + w.width, screen.left + screen.width);
        EXPECT_LE(w.top + w.height, screen.top + screen.height);
        EXPECT_LE(std::abs(2 * (w.left - screen.left) + w.width - screen.width), 1);
        EXPECT_LE(std::abs(2 * (w.top - screen.top) + w.height - screen.height), 1);
        EXPECT_GE(w.width, std::min(screen.width, 640));
        EXPECT_GE(w.height, std::min(screen.height, 456));
        EXPECT_GE(10 * w.width, 7 * screen.width - 10);
        EXPECT_GE(10 * w.height, 7 * screen.height - 10);
    }
    EXPECT_EQ(firstWindowOn({0, 0, 800, 600}), (WindowRect{80, 72, 640, 456}));
}
