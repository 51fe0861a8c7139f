// The autosave of a drawing of a million anchors (1000 paths of 1000): what the window's
// thread spends on a snapshot after an edit (the stall the user could feel), and the longest
// gap of a 1 ms "event loop" while the worker serialises and writes the copy meanwhile.

#include "model/Document.h"
#include "model/DocumentFile.h"
#include "shell/RecoveryWriter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

TCvDocument bigDocument() {
    TCvDocument doc;
    std::vector<TCvLine> lines(1000);
    for (std::size_t p = 0; p < lines.size(); ++p) {
        lines[p].points.resize(1000);
        for (std::size_t i = 0; i < 1000; ++i) {
            TCvPoint& a = lines[p].points[i];
            a.anchor = {double(i), double(p)};
            a.inHandle = {i - 0.25, double(p)};
            a.outHandle = {i + 0.25, double(p)};
        }
    }
    doc.Lines = std::move(lines);
    doc.Record();
    return doc;
}

void edit(TCvDocument& doc, int i) {
    doc.Record();
    doc.Lines[static_cast<std::size_t>(i % 1000)].Translate({0.5, 0});
}

void BM_AutoSaveSnapshotAfterEdit(benchmark::State& state) {
    TCvDocument doc = bigDocument();
    plumex::RecoverySnapshotTaker taker;
    taker.take(doc, {});
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit(doc, i++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(taker.take(doc, {}));
    }
}
BENCHMARK(BM_AutoSaveSnapshotAfterEdit)->Unit(benchmark::kMillisecond);

// The first snapshot after opening shares the undo history's paths, and one after a path was
// added compares every path with the last snapshot: the slowest ones.
void BM_AutoSaveSnapshotAfterAddingAPath(benchmark::State& state) {
    TCvDocument doc = bigDocument();
    plumex::RecoverySnapshotTaker taker;
    taker.take(doc, {});
    for (auto _ : state) {
        state.PauseTiming();
        doc.Record();
        doc.Lines.push_back(doc.Lines.front());
        state.ResumeTiming();
        benchmark::DoNotOptimize(taker.take(doc, {}));
    }
}
BENCHMARK(BM_AutoSaveSnapshotAfterAddingAPath)->Unit(benchmark::kMillisecond);

// The window's longest stall while copies are taken and written: every 1 ms "tick" of the
// loop, an edit now and then, a snapshot handed to the worker every 50 ticks.
void BM_AutoSaveLongestStall(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "plumex-bench-autosave";
    std::filesystem::create_directories(folder);
    const plumex::RecoveryPaths paths = plumex::recoveryPaths(folder.string(), 1);
    TCvDocument doc = bigDocument();
    plumex::RecoverySnapshotTaker taker;
    double longest = 0;
    int writes = 0;
    for (auto _ : state) {
        plumex::RecoveryWriter writer(
            paths, [&](bool ok, const std::string&) { writes += ok; }, false);
        auto last = Clock::now();
        for (int tick = 0; tick < 400; ++tick) {
            if (tick % 10 == 0) edit(doc, tick);
            if (tick % 50 == 0)
                writer.post(plumex::RecoveryWriter::Job::Write, taker.take(doc, {}));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const auto now = Clock::now();
            longest =
                std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        }
        writer.post(plumex::RecoveryWriter::Job::Write, taker.take(doc, {}));
        writer.wait();
    }
    state.counters["longest_stall_ms"] = longest;
    state.counters["copies_written"] = writes;
    // The copy reads back as the drawing.
    if (plumex::readDocumentFile(paths.copy).lines != doc.Lines.vector())
        state.SkipWithError("the recovery copy differs from the drawing");
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AutoSaveLongestStall)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
