// Baseline figures for the segment routines and exact bounds of a large path.
#include "model/Containment.h"
#include "model/LineTree.h"
#include "model/Path.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace plumex;

namespace {

std::vector<Segment> randomSegments(int n) {
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> d(-100, 100);
    std::vector<Segment> out;
    for (int i = 0; i < n; ++i)
        out.push_back({{d(rng), d(rng)}, {d(rng), d(rng)}, {d(rng), d(rng)}, {d(rng), d(rng)}});
    return out;
}

// A closed wavy ring of n anchors whose handles bulge past the anchors.
TCvLine wavyRing(int n) {
    TCvLine line;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double r = 1000 + (i % 2 ? 5 : -5);
        const TCvCoord p{r * std::cos(a), r * std::sin(a)};
        const TCvCoord t{-std::sin(a) * 0.05, std::cos(a) * 0.05};
        const TCvCoord bulge = scale(p, 0.004);
        line.points.emplace_back(p, subtract(add(p, bulge), t), add(add(p, bulge), t));
    }
    line.closed = 1;
    return line;
}

void BM_segmentBounds(benchmark::State& state) {
    const auto segs = randomSegments(1024);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(segmentBounds(segs[i++ & 1023]));
}
BENCHMARK(BM_segmentBounds);

void BM_nearestParameter(benchmark::State& state) {
    const auto segs = randomSegments(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        const Segment& s = segs[i++ & 1023];
        benchmark::DoNotOptimize(nearestParameter(s, evaluate(s, 0.6), 0.001, 0.5));
    }
}
BENCHMARK(BM_nearestParameter);

void BM_pointInOutline(benchmark::State& state) {
    const TCvLine ring = wavyRing(static_cast<int>(state.range(0)));
    const TCvRect r = ring.GetBounds();
    for (auto _ : state) benchmark::DoNotOptimize(pointInOutline(ring, {3, 7}, r));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_pointInOutline)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_pathBounds100k(benchmark::State& state) {
    const TCvLine ring = wavyRing(100000);
    for (auto _ : state) benchmark::DoNotOptimize(ring.GetBounds());
}
BENCHMARK(BM_pathBounds100k)->Unit(benchmark::kMillisecond);

} // namespace

// The containment forest of hole making: 100,000 nested squares (each the hole of the one
// around it) and 100,000 squares side by side.
std::vector<TCvLine> squares(int n, bool nested) {
    std::vector<TCvLine> out;
    for (int i = 0; i < n; ++i) {
        const double s = nested ? 1 + i : 0.5, x = nested ? -s / 2 : (i % 400) * 1.0,
                     y = nested ? -s / 2 : (i / 400) * 1.0;
        TCvLine l;
        for (TCvCoord c : {TCvCoord{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}})
            l.points.emplace_back(c, c, c);
        l.closed = 1;
        out.push_back(std::move(l));
    }
    return out;
}

void BM_buildTree(benchmark::State& state) {
    const auto paths = squares(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(BuildTree(paths).top.first);
}
BENCHMARK(BM_buildTree)
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->ArgNames({"paths", "nested"})
    ->Unit(benchmark::kMillisecond);
