#include "export/PovExport.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <stdexcept>

using namespace plumex;

namespace {

// Paths of very different lengths (empty ones too), so pieces hold one path, many paths, or
// a path too long to buffer that the calling thread writes itself.
std::vector<TCvLine> randomDrawing(std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(-1e4, 1e4);
    std::uniform_int_distribution<int> lengthKind(0, 9);
    std::vector<TCvLine> paths(std::uniform_int_distribution<int>(1, 120)(rng));
    for (TCvLine& line : paths) {
        const int kind = lengthKind(rng);
        const int anchors = kind == 0 ? 0 : kind == 9 ? 400 : kind;
        for (int i = 0; i < anchors; ++i) {
            const TCvCoord a{coord(rng), coord(rng)};
            const bool curved = rng() % 2;
            line.points.emplace_back(a, curved ? TCvCoord{coord(rng), coord(rng)} : a,
                                     curved ? TCvCoord{coord(rng), coord(rng)} : a);
        }
        line.closed = rng() % 3 != 0;
    }
    return paths;
}

PovRequest randomRequest(std::mt19937& rng) {
    PovRequest r;
    r.mode = static_cast<PovMode>(rng() % 6);
    r.accuracy = static_cast<int>(rng() % 21);
    r.name = rng() % 2 ? "#declare Shape" : "";
    r.sweep = "0,1";
    r.modifiers = r.mode == PovMode::Array ? "0" : " pigment {color rgb 1}\r\n";
    r.lineForm = static_cast<LineForm>(rng() % 3);
    r.pointForm = static_cast<PointForm>(rng() % 3);
    r.divideCount = static_cast<int>(rng() % 5);
    r.spline = static_cast<SweepSpline>(rng() % 3);
    r.tolerance = rng() % 2 ? 0 : 50;
    r.apex = {1.5, -2};
    return r;
}

TEST(ParallelPovText, AnyThreadCountAndPieceSizeGivesTheOneThreadText) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 60; ++round) {
        const std::vector<TCvLine> paths = randomDrawing(rng);
        const PovRequest request = randomRequest(rng);
        const std::string reference = PovExportText(paths, request, {.threads = 1});
        const PovThreads spread{.threads = 2 + static_cast<unsigned>(rng() % 4),
                                .chunkBytes = std::size_t{64} << (rng() % 12)};
        EXPECT_EQ(PovExportText(paths, request, spread), reference) << "round " << round;
        std::ostringstream streamed;
        writePovExport(streamed, pathRefs(paths), request, spread);
        EXPECT_EQ(streamed.str(), reference) << "round " << round;
    }
}

// A write that fails part-way ends the run with its error, the formatting threads stopped.
TEST(ParallelPovText, AFailingSinkStopsTheRun) {
    std::mt19937 rng(5);
    std::vector<TCvLine> paths;
    while (paths.size() < 300) {
        std::vector<TCvLine> more = randomDrawing(rng);
        paths.insert(paths.end(), more.begin(), more.end());
    }
    const std::vector<const TCvLine*> refs = pathRefs(paths);
    std::vector<const TCvLine*> exported;
    for (const TCvLine* line : refs)
        if (!line->points.empty()) exported.push_back(line);
    int pieces = 0;
    const PovTextSink failing{.piece =
                                  [&](std::string_view) {
                                      if (++pieces == 3) throw std::runtime_error("disk full");
                                  },
                              .path = [](const TCvLine&, const PovRequest&) {}};
    EXPECT_THROW(formatPovText(exported, PovRequest{}, failing, {.threads = 3, .chunkBytes = 256}),
                 std::runtime_error);
    EXPECT_EQ(pieces, 3);
}

} // namespace
