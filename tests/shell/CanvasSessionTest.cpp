// Random editing sessions on the canvas (the canvas fuzzer's interpreter) with a fixed seed,
// and the shortest sessions that once broke the window.
#include "CanvasSession.h"

#include <gtest/gtest.h>

#include <random>

using plumex::session::Session;

namespace {

// The log of the session up to the first broken rule, empty when it ran through.
std::string replay(const std::vector<std::uint8_t>& bytes) {
    Session s(bytes.data(), bytes.size());
    std::string log;
    while (!s.done()) {
        s.step(&log);
        if (const std::string broken = s.check(); !broken.empty()) return log + broken;
    }
    return {};
}

std::string firstBroken(const std::vector<std::uint8_t>& bytes) {
    Session s(bytes.data(), bytes.size());
    // The slow round trips every few operations keep the test fast.
    for (int op = 0; !s.done(); ++op) {
        s.step();
        if (const std::string broken = s.check(op % 4 == 3); !broken.empty()) return replay(bytes);
    }
    return {};
}

} // namespace

TEST(CanvasSessions, RandomSessionsKeepTheWindowSound) {
    std::mt19937 rng(20261208);
    for (int session = 0; session < 300; ++session) {
        std::vector<std::uint8_t> bytes(200 * 3);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        const std::string broken = firstBroken(bytes);
        ASSERT_EQ(broken, "") << "session " << session;
    }
}

// Pen tool: a click starts a path whose floating anchor follows the mouse; a right click
// ends the path. The selection's bounds still held the dropped floating anchor.
TEST(CanvasSessionRegressions, EndingAPenPathForgetsTheFloatingAnchorsBounds) {
    EXPECT_EQ(replay({0x68, 0x10, 0xe2, 0x41, 0xca, 0xe4, 0x0c, 0x8a, 0x2e, 0xe9, 0x03,
                      0x0f, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x4e, 0x36}),
              "");
}
