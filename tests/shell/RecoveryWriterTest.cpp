// The autosave's worker: a copy reads back as the drawing it was taken of, a failed write
// leaves the previous copy and says why, and a Remove wins over snapshots still waiting.

#include "shell/RecoveryWriter.h"

#include "model/DocumentFile.h"
#include "model/FileBytes.h"

#include "../app/TempDir.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace plumex {
namespace {

using testing::TempDir;

std::shared_ptr<const RecoverySnapshot> snapshotOf(const std::vector<TCvLine>& lines,
                                                   double scale = 50) {
    auto s = std::make_shared<RecoverySnapshot>();
    s->lines = TUndoInfo::capture(lines, nullptr);
    s->settings.scale = scale;
    s->settings.verticalGuides = {1.5};
    s->info = {"/d/a.plx", 7, 4321};
    return s;
}

struct Results {
    std::mutex mutex;
    std::vector<std::pair<bool, std::string>> list;
    RecoveryWriter::Finished callback() {
        return [this](bool ok, const std::string& error) {
            const std::lock_guard lock(mutex);
            list.emplace_back(ok, error);
        };
    }
};

TEST(RecoveryWriterTest, CopyReadsBackAsTheDrawing) {
    TempDir dir;
    const RecoveryPaths paths = recoveryPaths(dir.file(""), 4321);
    Results results;
    const std::vector<TCvLine> lines = {testing::polyline({{0, 0}, {1, 2}, {3, 1}}, true),
                                        testing::polyline({{-5, 4}, {2, 2}})};
    {
        RecoveryWriter writer(paths, results.callback(), false);
        writer.post(RecoveryWriter::Job::Write, snapshotOf(lines));
        writer.wait();
    }
    ASSERT_EQ(results.list.size(), 1u);
    EXPECT_TRUE(results.list[0].first);
    const DocumentContent read = readDocumentFile(paths.copy);
    EXPECT_EQ(read.lines, lines);
    EXPECT_EQ(read.settings.scale, 50);
    EXPECT_EQ(read.settings.verticalGuides, std::vector<double>{1.5});
    const auto info = parseRecoveryInfo(readFileBytes(paths.info));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->original, "/d/a.plx");
    EXPECT_EQ(info->pid, 4321);
}

TEST(RecoveryWriterTest, FailedWriteKeepsThePreviousCopyAndSaysWhy) {
    TempDir dir;
    const RecoveryPaths paths = recoveryPaths(dir.file(""), 4321);
    Results results;
    std::atomic<bool> full{false};
    RecoveryWriter writer(paths, results.callback(), false,
                          [&](const std::string& path, std::span<const std::uint8_t> bytes) {
                              if (full)
                                  throw std::system_error(ENOSPC, std::generic_category(),
                                                          "Cannot write " + path);
                              writeFileAtomically(path, bytes);
                          });
    const std::vector<TCvLine> first = {testing::polyline({{0, 0}, {1, 1}})};
    writer.post(RecoveryWriter::Job::Write, snapshotOf(first));
    writer.wait();
    const auto before = readFileBytes(paths.copy);
    full = true;
    writer.post(RecoveryWriter::Job::Write, snapshotOf({testing::polyline({{9, 9}, {8, 8}})}));
    writer.wait();
    ASSERT_EQ(results.list.size(), 2u);
    EXPECT_FALSE(results.list[1].first);
    // The system's reason alone: short enough for the status bar.
    EXPECT_EQ(results.list[1].second, std::error_code(ENOSPC, std::generic_category()).message());
    EXPECT_EQ(readFileBytes(paths.copy), before);
    // A drawing the file format cannot hold is a failure too, not a crash of the worker.
    full = false;
    writer.post(RecoveryWriter::Job::Write, snapshotOf(first, -1));
    writer.wait();
    ASSERT_EQ(results.list.size(), 3u);
    EXPECT_FALSE(results.list[2].first);
    EXPECT_EQ(readFileBytes(paths.copy), before);
}

TEST(RecoveryWriterTest, RemoveWinsOverWaitingSnapshots) {
    TempDir dir;
    const RecoveryPaths paths = recoveryPaths(dir.file(""), 4321);
    Results results;
    std::mutex gate;
    std::unique_lock hold(gate);
    std::atomic<bool> entered{false};
    RecoveryWriter writer(paths, results.callback(), false,
                          [&](const std::string& path, std::span<const std::uint8_t> bytes) {
                              entered = true;
                              const std::lock_guard wait(gate);
                              writeFileAtomically(path, bytes);
                          });
    const std::vector<TCvLine> lines = {testing::polyline({{0, 0}, {1, 1}})};
    writer.post(RecoveryWriter::Job::Write, snapshotOf(lines)); // runs, held at the gate
    while (!entered) std::this_thread::yield();
    for (int i = 0; i < 3; ++i) writer.post(RecoveryWriter::Job::Write, snapshotOf(lines));
    writer.post(RecoveryWriter::Job::Remove);
    hold.unlock();
    writer.wait();
    EXPECT_EQ(results.list.size(), 1u); // only the one that was running
    EXPECT_FALSE(std::filesystem::exists(paths.copy));
    EXPECT_FALSE(std::filesystem::exists(paths.info));
}

} // namespace
} // namespace plumex
