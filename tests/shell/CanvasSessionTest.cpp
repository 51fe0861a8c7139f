// Random editing sessions on the canvas (the canvas fuzzer's interpreter) with a fixed seed,
// their scripts replayed, and the sessions that once broke the window kept as scripts in
// tests/data/sessions/.
#include "CanvasSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using plumex::session::ScriptError;
using plumex::session::Session;

namespace {

// The script of the session up to the first broken rule, empty when it ran through.
std::string replay(const std::vector<std::uint8_t>& bytes) {
    Session s(bytes.data(), bytes.size());
    while (!s.done()) {
        s.step();
        if (const std::string broken = s.check(); !broken.empty())
            return s.script() + "broken: " + broken;
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

std::vector<std::uint8_t> randomBytes(std::mt19937& rng) {
    std::vector<std::uint8_t> bytes(200 * 3);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

// Runs a script to its end; the first broken rule with its line, or empty.
std::string runScript(const std::string& script) {
    Session s(script);
    while (!s.done()) {
        s.step();
        if (const std::string broken = s.check(); !broken.empty())
            return "line " + std::to_string(s.lineNumber()) + ": " + broken;
    }
    return {};
}

std::string scriptError(const std::string& script) {
    try {
        runScript(script);
    } catch (const ScriptError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(CanvasSessions, RandomSessionsKeepTheWindowSound) {
    std::mt19937 rng(20261208);
    for (int session = 0; session < 300; ++session) {
        const std::string broken = firstBroken(randomBytes(rng));
        ASSERT_EQ(broken, "") << "session " << session;
    }
}

// A session's script, replayed, does what the bytes did: same drawing, view and pivot.
TEST(CanvasSessions, ScriptsReplayTheirSessions) {
    std::mt19937 rng(20261209);
    for (int session = 0; session < 60; ++session) {
        const auto bytes = randomBytes(rng);
        Session drawn(bytes.data(), bytes.size());
        while (!drawn.done()) drawn.step();
        Session replayed(drawn.script());
        while (!replayed.done()) replayed.step();
        const TCvWindow& a = drawn.window();
        const TCvWindow& b = replayed.window();
        ASSERT_EQ(a.Document.Lines, b.Document.Lines) << drawn.script();
        EXPECT_EQ(a.Document.Pivot, b.Document.Pivot);
        EXPECT_EQ(a.Document.Settings.verticalGuides, b.Document.Settings.verticalGuides);
        EXPECT_EQ(a.UnitToPixel({0.5, 0.5}), b.UnitToPixel({0.5, 0.5})) << drawn.script();
        EXPECT_EQ(a.Document.UndoBuffer.CanUndo(), b.Document.UndoBuffer.CanUndo());
    }
}

TEST(CanvasSessions, ScriptsThatDoNotFitNameTheirLine) {
    EXPECT_EQ(scriptError("paint\n"), "a session script begins with a \"start\" line");
    EXPECT_EQ(scriptError("start\n# a comment\n\npaint\nfly away\n"),
              "line 5: unknown operation \"fly\"");
    EXPECT_EQ(scriptError("start\npress left at 10\n"), "line 2: not a point X,Y: \"10\"");
    EXPECT_EQ(scriptError("start\npress left at 10,10 sideways\n"),
              "line 2: unexpected \"sideways\"");
    EXPECT_EQ(scriptError("start\npaint [menu none]\n"),
              "line 2: the window did not ask for [menu none]");
    EXPECT_EQ(scriptError("start select 0\nanchor copy\nanchor paste\n"),
              "line 3: the window asks for [clipboard ...]");
    EXPECT_EQ(scriptError("start select 0\nanchor copy\nanchor paste [menu none]\n"),
              "line 3: the window asks for [clipboard ...], not [menu none]");
    EXPECT_EQ(scriptError("start\ncommand NoSuchItem1\n"), "line 2: no command \"NoSuchItem1\"");
    EXPECT_EQ(scriptError("start\npaint [size\n"), "line 2: unbalanced brackets");
    EXPECT_EQ(scriptError("start\nzoom to nan\n"), "line 2: not a number: \"nan\"");
    EXPECT_EQ(scriptError("start\ndrag left from 0,0 to 0,3000000000\n"),
              "line 2: not a whole number: \"3000000000\"");
}

// Each script under tests/data/sessions is a session that once broke the window; each must now
// run through with every rule holding.
TEST(CanvasSessionRegressions, KeptScriptsRunThrough) {
    int scripts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PLUMEX_TEST_DATA "/sessions")) {
        if (entry.path().extension() != ".session") continue;
        ++scripts;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string broken;
        try {
            broken = runScript(text.str());
        } catch (const ScriptError& e) {
            broken = e.what();
        }
        EXPECT_EQ(broken, "") << entry.path().filename();
    }
    EXPECT_GE(scripts, 3);
}
