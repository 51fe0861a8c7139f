// SVG import of the 1,000,000-anchor drawing (10,000 closed loops of 100 cubic segments),
// written as SVG in memory. Filled by the nonzero rule (SVG's default) every element is asked
// whether that rule fills it as even-odd does; filled by even-odd, the same file is the floor
// without that question.

#include "LoopDrawing.h"
#include "export/SvgExport.h"
#include "svg/SvgImport.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace plumex;

std::vector<std::uint8_t> loopsSvg(bool nonzero) {
    std::string text = SvgExportText(bench::drawing(1'000'000));
    if (nonzero) {
        const std::string evenOdd = " fill-rule=\"evenodd\"";
        std::string out;
        out.reserve(text.size());
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(evenOdd, from)) != std::string::npos;
             from = at + evenOdd.size())
            out.append(text, from, at - from);
        out.append(text, from);
        text = std::move(out);
    }
    return {text.begin(), text.end()};
}

void importLoops(benchmark::State& state, bool nonzero) {
    const std::vector<std::uint8_t> bytes = loopsSvg(nonzero);
    std::size_t anchors = 0;
    for (auto _ : state) {
        const std::vector<TCvLine> paths = ImportSvg(bytes);
        anchors = 0;
        for (const TCvLine& l : paths) anchors += l.points.size();
        benchmark::DoNotOptimize(anchors);
    }
    state.counters["anchors"] = static_cast<double>(anchors);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_SvgImportNonzero_1M(benchmark::State& state) {
    importLoops(state, true);
}
void BM_SvgImportEvenOdd_1M(benchmark::State& state) {
    importLoops(state, false);
}
BENCHMARK(BM_SvgImportNonzero_1M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SvgImportEvenOdd_1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
