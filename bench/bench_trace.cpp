// Tracing a 6000 x 4000 scan (dark strokes and blots on a noisy paper grey): the time of the
// whole trace with holes merged, and the peak memory it adds over the decoded picture, as a
// multiple of that picture. Target: a few seconds, a small multiple.
#include "ResidentMemory.h"
#include "trace/Trace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace plumex;

namespace {

RasterImage scan() {
    constexpr int W = 6000, H = 4000;
    RasterImage image{W, H, std::vector<Color>(static_cast<std::size_t>(W) * H), std::nullopt};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> noise(-25, 25);
    for (Color& c : image.pixels) {
        const int v = 225 + noise(rng);
        c = rgbColor(v, v, v);
    }
    // Rings (letters with counters), strokes and specks.
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 1500; ++i) {
        const double cx = u(rng) * W, cy = u(rng) * H, r = 8 + u(rng) * 60;
        const double inner = u(rng) < 0.5 ? r * 0.5 : 0;
        for (int y = std::max(0, int(cy - r)); y < std::min(H, int(cy + r) + 1); ++y)
            for (int x = std::max(0, int(cx - r)); x < std::min(W, int(cx + r) + 1); ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d < r && d >= inner)
                    image.pixels[static_cast<std::size_t>(y) * W + x] = rgbColor(30, 30, 30);
            }
    }
    return image;
}

void TraceScan(benchmark::State& state) {
    const RasterImage image = scan();
    const double pictureMB = image.pixels.size() * sizeof(Color) / 1048576.0;
    std::size_t paths = 0;
    long peakKb = 0;
    for (auto _ : state) {
        peakKb = bench::addedPeak([&] {
            const TraceResult r = tracePicture(image, {}, draftPlacement(6000, 4000, 60));
            paths = r.paths.size();
            benchmark::DoNotOptimize(r.paths.data());
        });
    }
    state.counters["paths"] = static_cast<double>(paths);
    state.counters["picture_MB"] = pictureMB;
    state.counters["peak_added_MB"] = peakKb / 1024.0;
    state.counters["peak_per_picture"] = peakKb / 1024.0 / pictureMB;
}
BENCHMARK(TraceScan)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
