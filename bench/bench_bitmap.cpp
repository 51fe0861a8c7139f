// Greyscale bitmap export of a 1,000,000-anchor drawing (10,000 wobbly loops of 100 curved
// anchors on a grid of 10-unit cells) at 4,000 x 4,000 output pixels: time, the peak memory
// the export adds to the drawing, and the file size. The bytes are counted, not stored, so
// the time is the renderer's and the writer's, not the disk's.

#include "LoopDrawing.h"
#include "export/BitmapExport.h"
#include "export/ContentBounds.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <string>

namespace {

using namespace plumex;

// A field of /proc/self/status in kB.
long statusKb(const std::string& field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

void BM_BitmapGrey4000_1M(benchmark::State& state) {
    const std::vector<TCvLine> lines = bench::drawing(1'000'000);
    BitmapRequest r;
    r.bounds = contentBounds(lines);
    r.margin = 10;
    // Half a pixel over, so that truncating the slightly shorter side still gives 4000.
    r.scale = (4000 - 2 * r.margin + 0.5) /
              std::max(r.bounds.right - r.bounds.left, r.bounds.top - r.bounds.bottom);
    const long drawingKb = statusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5"; // restart the peak at the present size
    std::uint64_t fileBytes = 0;
    for (auto _ : state) {
        CountingByteSink out;
        if (renderBitmap(out, lines, r).result != BitmapResult::Written)
            state.SkipWithError("export failed");
        fileBytes = out.count();
    }
    const auto size = bitmapOutputSize(r.bounds, r.scale, r.margin);
    state.counters["width"] = static_cast<double>(size->width);
    state.counters["height"] = static_cast<double>(size->height);
    state.counters["file_bytes"] = static_cast<double>(fileBytes);
    state.counters["drawing_MB"] = drawingKb / 1024.0;
    state.counters["peak_above_drawing_MB"] = (statusKb("VmHWM") - drawingKb) / 1024.0;
}
BENCHMARK(BM_BitmapGrey4000_1M)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
