// Union of 1,000 overlapping circles (random centres in a 40 by 40 field, radii 1 to 3, a
// fixed seed): the time of Object > Path > Union over them, and the anchors of the result.

#include "geometry/BooleanOp.h"
#include "tests/geometry/shapes.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace plumex;

void BM_UnionOf1000Circles(benchmark::State& state) {
    std::mt19937_64 rng(1000);
    std::uniform_real_distribution<double> at(0, 40), radius(1, 3);
    std::vector<TCvLine> circles;
    for (int i = 0; i < 1000; ++i) circles.push_back(shapes::circle(at(rng), at(rng), radius(rng)));
    std::size_t paths = 0, anchors = 0;
    for (auto _ : state) {
        const std::vector<TCvLine> result = CombinePaths(BooleanOperation::Union, circles);
        paths = result.size();
        anchors = 0;
        for (const TCvLine& l : result) anchors += l.points.size();
        benchmark::DoNotOptimize(anchors);
    }
    state.counters["paths"] = static_cast<double>(paths);
    state.counters["anchors"] = static_cast<double>(anchors);
}
BENCHMARK(BM_UnionOf1000Circles)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
