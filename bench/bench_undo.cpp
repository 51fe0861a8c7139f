// Undo history cost: 1,000 steps that each move one path of a drawing of 10,000 paths with
// 100 anchors. Reports the history's heap memory as a multiple of the drawing's and the time
// of one Record as a multiple of one pass over the drawing's anchors.

#include "model/Document.h"
#include "model/UndoBuffer.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::int64_t> liveBytes{0};

} // namespace

// Every heap allocation of the process is counted, so the figures are what the heap holds.
void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void* operator new[](std::size_t n) {
    return operator new(n);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using Clock = std::chrono::steady_clock;

std::vector<TCvLine> drawing() {
    std::vector<TCvLine> lines(10'000);
    double v = 0.0;
    for (TCvLine& line : lines)
        for (int i = 0; i < 100; ++i, v += 0.37)
            line.points.emplace_back(TCvCoord{v, -v}, TCvCoord{v + 1, v}, TCvCoord{v - 1, 2 * v});
    return lines;
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The reference cost: read every anchor of the drawing once.
double onePass(const std::vector<TCvLine>& lines) {
    const auto start = Clock::now();
    double sum = 0;
    for (const TCvLine& line : lines)
        for (const TCvPoint& p : line.points) sum += p.anchor.x + p.inHandle.y + p.outHandle.x;
    benchmark::DoNotOptimize(sum);
    return seconds(start);
}

void BM_UndoHistory1000Moves(benchmark::State& state) {
    for (auto _ : state) {
        const std::int64_t before = liveBytes;
        std::vector<TCvLine> lines = drawing();
        const std::int64_t drawingBytes = liveBytes - before;
        TUndoBuffer history;
        double recordSeconds = 0;
        for (int step = 0; step < 1000; ++step) {
            const auto start = Clock::now();
            history.Record(lines, {}, -1);
            recordSeconds += seconds(start);
            lines[static_cast<std::size_t>(step * 7919 % 10'000)].Translate({1.5, -0.5});
        }
        const std::int64_t historyBytes = liveBytes - before - drawingBytes;
        double pass = 1e9;
        for (int i = 0; i < 5; ++i) pass = std::min(pass, onePass(lines));

        state.counters["drawing_MB"] = static_cast<double>(drawingBytes) / 1e6;
        state.counters["history_MB"] = static_cast<double>(historyBytes) / 1e6;
        state.counters["history_x_drawing"] =
            static_cast<double>(historyBytes) / static_cast<double>(drawingBytes);
        state.counters["record_ms_per_step"] = recordSeconds / 1000 * 1e3;
        state.counters["pass_ms"] = pass * 1e3;
        state.counters["record_x_pass"] = recordSeconds / 1000 / pass;
    }
}

// The history on a plain vector: every Undo and Redo copies the whole snapshot back.
void BM_UndoRedo(benchmark::State& state) {
    std::vector<TCvLine> lines = drawing();
    TUndoBuffer history;
    for (int step = 0; step < 100; ++step) {
        history.Record(lines, {}, -1);
        lines[static_cast<std::size_t>(step)].Translate({1, 1});
    }
    TCvCoord pivot;
    int pen = -1;
    for (auto _ : state) {
        history.Undo(lines, pivot, pen);
        history.Redo(lines, pivot, pen);
    }
}

// The document's Undo and Redo of one moved path of 1,000,000 anchors: only the paths that
// differ are written, and the path list's log names just those.
void BM_DocumentUndoRedo(benchmark::State& state) {
    TCvDocument doc;
    doc.Lines = drawing();
    for (int step = 0; step < 100; ++step) {
        doc.Record();
        doc.Lines[static_cast<std::size_t>(step * 97)].Translate({1, 1});
    }
    int pen = -1;
    std::size_t written = 0;
    for (auto _ : state) {
        TUndoBuffer::Restored r;
        doc.Undo(pen, &r);
        written += r.written;
        doc.Redo(pen, &r);
        written += r.written;
    }
    state.counters["paths_written_per_step"] =
        static_cast<double>(written) / (2.0 * static_cast<double>(state.iterations()));
}

} // namespace

BENCHMARK(BM_UndoHistory1000Moves)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentUndoRedo)->Unit(benchmark::kMillisecond);
