// Document file speed: reading and writing a drawing of 1,000,000 anchors, each reported in
// bytes per second and as a multiple of a plain memcpy of the same bytes in the same run; and
// the memory that loading the file holds at its peak beside the memory of the drawing it makes.

#include "ResidentMemory.h"
#include "model/Document.h"
#include "model/DocumentFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<TCvLine> bigDrawing() {
    std::vector<TCvLine> lines(10'000);
    double v = 0.0;
    for (TCvLine& line : lines) {
        line.name = "path";
        line.closed = 1;
        for (int i = 0; i < 100; ++i, v += 0.37)
            line.points.emplace_back(TCvCoord{v, -v}, TCvCoord{v + 1, v}, TCvCoord{v - 1, 2 * v});
    }
    return lines;
}

const std::vector<TCvLine>& drawing() {
    static const std::vector<TCvLine> lines = bigDrawing();
    return lines;
}

const std::vector<std::uint8_t>& fileBytes() {
    static const std::vector<std::uint8_t> bytes = plumex::writeDocument(drawing(), {});
    return bytes;
}

// Seconds per memcpy of the file's bytes into fresh memory, best of a few runs: like the
// reader and the writer, the copy has to obtain the memory it fills.
double memcpySeconds() {
    static const double seconds = [] {
        const auto& src = fileBytes();
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = Clock::now();
            std::vector<std::uint8_t> dst(src.size());
            std::memcpy(dst.data(), src.data(), src.size());
            benchmark::DoNotOptimize(dst.data());
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        }
        return best;
    }();
    return seconds;
}

// Runs `body` per iteration and reports throughput and the multiple of memcpy's time.
template <class Body> void measure(benchmark::State& state, Body body) {
    const std::size_t bytes = fileBytes().size();
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        body();
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double perRun = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["x_memcpy"] = perRun / memcpySeconds();
}

void BM_Memcpy(benchmark::State& state) {
    const auto& src = fileBytes();
    measure(state, [&] {
        std::vector<std::uint8_t> dst(src.size());
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
    });
}

// The same copy into memory already faulted in: the bandwidth ceiling, for reference.
void BM_MemcpyWarm(benchmark::State& state) {
    const auto& src = fileBytes();
    std::vector<std::uint8_t> dst(src.size());
    measure(state, [&] {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
    });
}

void BM_ReadDocument(benchmark::State& state) {
    measure(state, [] { benchmark::DoNotOptimize(plumex::readDocument(fileBytes())); });
}

void BM_WriteDocument(benchmark::State& state) {
    measure(state, [] { benchmark::DoNotOptimize(plumex::writeDocument(drawing(), {})); });
}

std::string scratchFile() {
    return (std::filesystem::temp_directory_path() /
            ("plumex-bench-" + std::to_string(::getpid()) + ".plx"))
        .string();
}

// Whole operations on a file, including the flush to disk that makes saving safe.
void BM_SaveToFile(benchmark::State& state) {
    TCvDocument doc;
    doc.Lines = drawing();
    const std::string name = scratchFile();
    measure(state, [&] {
        if (!doc.SaveToFile(name)) state.SkipWithError("save failed");
    });
    std::filesystem::remove(name);
}

void BM_LoadFromFile(benchmark::State& state) {
    TCvDocument doc;
    doc.Lines = drawing();
    const std::string name = scratchFile();
    doc.SaveToFile(name);
    measure(state, [&] { doc.LoadFromFile(name); });
    doc.Lines.clear();
    long drawing = -1;
    const long peak = plumex::bench::addedPeak([&] {
        TCvDocument loaded;
        const long before = plumex::bench::kibibytes("VmRSS:");
        loaded.LoadFromFile(name);
        ::malloc_trim(0);
        drawing = plumex::bench::kibibytes("VmRSS:") - before;
    });
    state.counters["load_peak_MiB"] = static_cast<double>(peak) / 1024;
    state.counters["drawing_MiB"] = static_cast<double>(drawing) / 1024;
    std::filesystem::remove(name);
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
