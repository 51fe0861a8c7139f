// Prism export of a 1,000,000-anchor drawing at accuracy 15: FormatPovNumber against the
// same text built with snprintf("%.*f") for every number.

#include "export/PovExport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

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
        const std::string text = PovExportText(drawing(), prismRequest());
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

BENCHMARK(BM_PrismFormatPovNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrismSnprintf)->Unit(benchmark::kMillisecond);

} // namespace
