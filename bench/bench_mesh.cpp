// The 1,000,000-anchor drawing (10,000 wobbly loops) as prisms to a binary STL file at the
// default tolerance, path by path into the temporary file: seconds, triangles and the peak
// memory the export adds (the mesh never sits in memory whole).

#include "LoopDrawing.h"
#include "ResidentMemory.h"
#include "export/MeshExport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace plumex;

void BM_MeshPrismsToStl(benchmark::State& state) {
    const std::vector<TCvLine> lines = bench::drawing(1000000);
    const PathRefs paths = pathRefs(lines);
    const std::string target = (std::filesystem::temp_directory_path() /
                                ("plumex_bench_mesh_" + std::to_string(::getpid()) + ".stl"))
                                   .string();
    MeshOutcome outcome;
    long peak = -1;
    for (auto _ : state) {
        peak = std::max(peak, bench::addedPeak(
                                  [&] { outcome = MeshExportFile(target, paths, MeshOptions{}); }));
    }
    std::error_code ec;
    state.counters["triangles"] = static_cast<double>(outcome.triangles);
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(target, ec)) / (1 << 20);
    state.counters["extra_peak_KiB"] = static_cast<double>(peak);
    if (outcome.result != MeshResult::Written) state.SkipWithError(outcome.error.c_str());
    std::filesystem::remove(target, ec);
}
BENCHMARK(BM_MeshPrismsToStl)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
