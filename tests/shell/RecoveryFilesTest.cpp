// The recovery folder's pure side: where it is, the info file's format (every cut and every
// changed byte of a valid file is refused or read back whole), the scan and the schedule.

#include "shell/RecoveryFiles.h"
#include "shell/AutoSaveSchedule.h"

#include "../app/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <span>
#include <sys/wait.h>
#include <unistd.h>

namespace plumex {
namespace {

using testing::TempDir;

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(RecoveryFolderTest, StateHomeThenHomeThenNothing) {
    EXPECT_EQ(recoveryFolder("/state", "/home/u"), "/state/plumex/recovery");
    EXPECT_EQ(recoveryFolder(nullptr, "/home/u"), "/home/u/.local/state/plumex/recovery");
    // A relative XDG value is to be ignored.
    EXPECT_EQ(recoveryFolder("state", "/home/u"), "/home/u/.local/state/plumex/recovery");
    EXPECT_EQ(recoveryFolder("", ""), "");
}

TEST(RecoveryInfoTest, ReadsBackWhatItWritesAndRefusesEveryCutAndFlip) {
    const RecoveryInfo info{"/a/b\nc d.plx", 1700000000, 4242};
    const std::string text = formatRecoveryInfo(info);
    ASSERT_EQ(parseRecoveryInfo(bytesOf(text)), info);
    EXPECT_EQ(parseRecoveryInfo(bytesOf(formatRecoveryInfo({"", 0, 1})))->original, "");
    for (std::size_t n = 0; n < text.size(); ++n)
        EXPECT_FALSE(parseRecoveryInfo(bytesOf(text.substr(0, n)))) << "cut at " << n;
    EXPECT_FALSE(parseRecoveryInfo(bytesOf(text + "x")));
    // Any changed byte outside the path's own bytes is refused or changes nothing it names.
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string bad = text;
        bad[i] = bad[i] == '9' ? '0' : '9';
        const auto read = parseRecoveryInfo(bytesOf(bad));
        if (read) {
            EXPECT_EQ(formatRecoveryInfo(*read), bad) << "byte " << i;
        }
    }
    // A length past the end or a process id that cannot be one.
    EXPECT_FALSE(parseRecoveryInfo(bytesOf("PlumexRecovery 1\npid 5\ntime 1\noriginal "
                                           "99999999999999999999\nx\n")));
    EXPECT_FALSE(parseRecoveryInfo(bytesOf(formatRecoveryInfo({"x", 1, 0}))));
    EXPECT_FALSE(parseRecoveryInfo(bytesOf(formatRecoveryInfo({"x", 1, -3}))));
}

// A process id that was running and has ended.
std::int64_t endedPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RecoveryScanTest, OffersCopiesOfEndedEditorsOnly) {
    EXPECT_TRUE(processRunning(::getpid()));
    EXPECT_FALSE(processRunning(endedPid()));
    EXPECT_FALSE(processRunning(0));
    EXPECT_FALSE(processRunning(-1));

    TempDir dir;
    const std::string folder = dir.file("");
    const auto put = [&](std::int64_t pid, std::int64_t time, bool withCopy = true) {
        const RecoveryPaths p = recoveryPaths(folder, pid);
        if (withCopy) dir.write(std::filesystem::path(p.copy).filename(), "PLX");
        dir.write(std::filesystem::path(p.info).filename(),
                  formatRecoveryInfo({"/doc" + std::to_string(pid), time, pid}));
        return p;
    };
    const std::set<std::int64_t> running = {10, 11};
    const auto isRunning = [&](std::int64_t pid) { return running.count(pid) > 0; };
    put(10, 500); // a running editor's copy: left alone
    put(20, 100);
    put(21, 300);
    put(22, 200, false); // an info file without its copy
    dir.write("plumex-23.plx.info", formatRecoveryInfo({"/x", 1, 99})); // names another pid
    dir.write("plumex-23.plx", "PLX");
    dir.write("plumex-24.plx.info", "garbage");
    dir.write("plumex-24.plx", "PLX");
    dir.write("plumex-20.crash", ""); // an ended editor's unused crash files
    dir.write("plumex-11.crash", ""); // a running one's
    dir.write("notes.txt", "");

    const auto copies = findRecoveryCopies(folder, isRunning);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].info.pid, 21); // newest first
    EXPECT_EQ(copies[1].info.pid, 20);
    EXPECT_EQ(copies[1].info.original, "/doc20");
    EXPECT_EQ(copies[1].paths.copy, recoveryPaths(folder, 20).copy);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plumex-20.crash")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("plumex-11.crash")));

    EXPECT_TRUE(removeRecoveryCopy(copies[0].paths));
    EXPECT_EQ(findRecoveryCopies(folder, isRunning).size(), 1u);
    EXPECT_TRUE(findRecoveryCopies(dir.file("missing"), isRunning).empty());
}

TEST(AutoSaveScheduleTest, PeriodAfterFirstChangeThenAtMostEveryPeriod) {
    AutoSaveSchedule s(2);
    EXPECT_FALSE(s.dueAt());
    s.changed(1000);
    s.changed(1500); // a later change does not push the write back
    EXPECT_EQ(s.dueAt(), 3000);
    EXPECT_FALSE(s.due(2999));
    s.started(3000);
    s.changed(3100);
    EXPECT_FALSE(s.dueAt()); // one write at a time
    EXPECT_FALSE(s.finished(true));
    EXPECT_EQ(s.dueAt(), 5100);
    s.started(5100);
    EXPECT_FALSE(s.finished(true));
    // A change long after the last write waits a period from itself.
    s.changed(20000);
    EXPECT_EQ(s.dueAt(), 22000);
    s.focusLost();
    EXPECT_EQ(s.dueAt(), 20000);
    s.clean();
    EXPECT_FALSE(s.dueAt());
    s.focusLost(); // nothing pending: nothing due
    EXPECT_FALSE(s.dueAt());
}

TEST(AutoSaveScheduleTest, FailuresRetryAPeriodLaterAndTellOncePerRun) {
    AutoSaveSchedule s(30);
    s.changed(0);
    s.started(30000);
    EXPECT_TRUE(s.finished(false));
    EXPECT_EQ(s.dueAt(), 60000);
    s.started(60000);
    EXPECT_FALSE(s.finished(false)); // the second failure in a row is not told again
    s.started(90000);
    EXPECT_FALSE(s.finished(true));
    s.changed(100000);
    s.started(130000);
    EXPECT_TRUE(s.finished(false)); // a new run of failures is
}

TEST(AutoSaveScheduleTest, ZeroSecondsIsOff) {
    AutoSaveSchedule s(0);
    s.changed(0);
    s.focusLost();
    EXPECT_FALSE(s.enabled());
    EXPECT_FALSE(s.dueAt());
}

} // namespace
} // namespace plumex
