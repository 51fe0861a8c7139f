// Prism export of a 1,000,000-anchor drawing at accuracy 15: FormatPovNumber on one thread
// against the same text built with snprintf("%.*f") for every number; the export streamed into
// a file against formatting the text whole plus writing its bytes; and the whole run of
// plumex-cli pov, from the document file to the written text.

#include "LoopDrawing.h"
#include "ResidentMemory.h"
#include "export/DocumentPovExport.h"
#include "export/PovCheck.h"
#include "export/PovExport.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

using namespace plumex;

const std::vector<TCvLine>& drawing() {
    static const std::vector<TCvLine> paths = [] {
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> coord(-500, 500);
        std::vector<TCvLine> out(1000);
        for (TCvLine& line : out) {
            for (int i = 0; i < 1000; ++i)
                line.points.emplace_back(TCvCoord{coord(rng), coord(rng)},
                                         TCvCoord{coord(rng), coord(rng)},
                                         TCvCoord{coord(rng), coord(rng)});
            line.closed = 1;
        }
        return out;
    }();
    return paths;
}

void appendSnprintfNumber(std::string& out, double v, int accuracy) {
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", accuracy, v);
    std::string_view s(buf, static_cast<std::size_t>(n));
    if (s.find('.') != std::string_view::npos) {
        while (s.back() == '0') s.remove_suffix(1);
        if (s.back() == '.') s.remove_suffix(1);
    }
    if (s == "-0") s = "0";
    out += s;
}

// The prism text of the default export, every number through snprintf.
std::string snprintfPrisms(const std::vector<TCvLine>& paths, int accuracy) {
    std::string out;
    for (const TCvLine& line : paths) {
        out += "prism {\r\n linear_sweep\r\n bezier_spline 0,1,";
        out += std::to_string(4 * line.segmentCount()) + "\r\n";
        for (int i = 0; i < line.segmentCount(); ++i) {
            const Segment s = line.segment(i);
            out += ' ';
            for (TCvCoord p : {s.a, s.h1, s.h2, s.b}) {
                out += '<';
                appendSnprintfNumber(out, p.x, accuracy);
                out += ',';
                appendSnprintfNumber(out, p.y, accuracy);
                out += '>';
            }
            out += "\r\n";
        }
        out += " pigment {color rgb 1}\r\n}\r\n";
    }
    return out;
}

PovRequest prismRequest() {
    return PovDlgState{}.request(PovMode::Prism, {});
}

void checkIdentical() {
    if (PovExportText(drawing(), prismRequest()) != snprintfPrisms(drawing(), 15)) {
        std::fprintf(stderr, "FormatPovNumber and snprintf texts differ\n");
        std::abort();
    }
}

void BM_PrismFormatPovNumber(benchmark::State& state) {
    checkIdentical();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = PovExportText(drawing(), prismRequest(), {.threads = 1});
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_PrismSnprintf(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = snprintfPrisms(drawing(), 15);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

template <class F> double bestSeconds(int runs, F&& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// What cat and sync do with text that already exists: write it, flush it to the disk.
void writeAndSync(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) std::abort();
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) std::abort();
    ::close(fd);
}

// 10,000 closed paths of 100 curved anchors, prism, accuracy 15 (about 157 MiB of text).
void BM_PovStreamToFile_1M(benchmark::State& state) {
    const std::vector<TCvLine> lines = bench::drawing(1'000'000);
    const PathRefs refs = pathRefs(lines);
    const PovRequest request = prismRequest();
    const auto dir = std::filesystem::temp_directory_path();
    const std::string whole = (dir / "plumex_bench_whole.inc").string();
    const std::string streamed = (dir / "plumex_bench_streamed.inc").string();
    std::string text;
    const double format = bestSeconds(3, [&] {
        text = PovExportText(lines, request);
        benchmark::DoNotOptimize(text.data());
    });
    const double write = bestSeconds(3, [&] { writeAndSync(whole, text); });
    const double megabytes = static_cast<double>(text.size()) / (1 << 20);
    std::string().swap(text);
    double best = 1e30;
    long peak = -1;
    for (auto _ : state) {
        peak = std::max(peak, bench::addedPeak([&] {
                            best = std::min(best, bestSeconds(1, [&] {
                                                if (!PovExportFile(streamed, refs, request))
                                                    std::abort();
                                            }));
                        }));
    }
    state.counters["text_MiB"] = megabytes;
    state.counters["format_ms"] = format * 1e3;
    state.counters["write_ms"] = write * 1e3;
    state.counters["stream_ms"] = best * 1e3;
    state.counters["ratio"] = best / (format + write);
    state.counters["extra_peak_KiB"] = static_cast<double>(peak);
    std::filesystem::remove(whole);
    std::filesystem::remove(streamed);
}

// The pre-export check of the prism export: 1,000 and 10,000 closed paths of 100 anchors.
void BM_PovCheck(benchmark::State& state) {
    const std::vector<TCvLine> lines = bench::drawing(static_cast<int>(state.range(0)));
    std::size_t findings = 0;
    for (auto _ : state) findings = PovCheck(lines, prismRequest()).size();
    state.counters["findings"] = static_cast<double>(findings);
}

// What plumex-cli pov does with the 50 MB document: format on every core while the .plx is
// read, stream into the file; against the floor of reading the same .plx and writing the
// finished bytes, against the same run on one thread, and against reading the whole .plx first.
void BM_PovEndToEnd_1M(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string plx = (dir / "plumex_bench_1m.plx").string();
    const std::string target = (dir / "plumex_bench_e2e.inc").string();
    {
        const std::vector<std::uint8_t> bytes = writeDocument(bench::drawing(1'000'000), {});
        writeAndSync(plx, std::string(bytes.begin(), bytes.end()));
    }
    const PovRequest request = prismRequest();
    std::string text =
        std::string(PovFileHeader) + PovExportText(readDocumentFile(plx).lines, request);
    const double floor = bestSeconds(3, [&] {
        const DocumentContent doc = readDocumentFile(plx);
        benchmark::DoNotOptimize(doc.lines.data());
        writeAndSync(target, text);
    });
    std::string().swap(text);
    // As plumex-cli pov -o runs it: the paths are formatted while the document is read.
    const auto run = [&](PovThreads threads) {
        if (exportDocumentPov(plx, target, request, {}, threads).outcome !=
            DocumentPovOutcome::Written)
            std::abort();
    };
    // The run before that: the whole document read first.
    const double loadFirst = bestSeconds(2, [&] {
        const DocumentContent doc = readDocumentFile(plx);
        const std::vector<const TCvLine*> refs = pathRefs(doc.lines);
        writeFileAtomically(target, [&](std::ostream& out) {
            out << PovFileHeader;
            writePovExport(out, refs, request);
        });
    });
    const double oneThread = bestSeconds(2, [&] { run({.threads = 1}); });
    double best = 1e30;
    long peak = -1;
    long loaded = -1;
    for (auto _ : state) {
        loaded = std::max(loaded, bench::addedPeak([&] {
                              const DocumentContent doc = readDocumentFile(plx);
                              benchmark::DoNotOptimize(doc.lines.data());
                          }));
        peak = std::max(peak, bench::addedPeak([&] {
                            best = std::min(best, bestSeconds(1, [&] { run({}); }));
                        }));
    }
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["one_thread_ms"] = oneThread * 1e3;
    state.counters["all_cores_ms"] = best * 1e3;
    state.counters["ratio_to_floor"] = best / floor;
    state.counters["load_first_ms"] = loadFirst * 1e3;
    state.counters["speedup"] = oneThread / best;
    state.counters["load_peak_KiB"] = static_cast<double>(loaded);
    state.counters["run_peak_KiB"] = static_cast<double>(peak);
    std::filesystem::remove(plx);
    std::filesystem::remove(target);
}

BENCHMARK(BM_PovEndToEnd_1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PovCheck)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PovStreamToFile_1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PrismFormatPovNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrismSnprintf)->Unit(benchmark::kMillisecond);

} // namespace
