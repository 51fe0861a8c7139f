#include "export/PovCheck.h"
#include "model/Containment.h"
#include "testing.h"

#include <random>

using namespace plumex;
using plumex::testing::polyline;

namespace {

// "path: message" of each hole finding, the pairs judged one by one against every other path.
std::vector<std::string> everyPairHoles(const std::vector<TCvLine>& paths) {
    std::vector<std::string> out;
    const std::size_t n = paths.size();
    auto area = [&](std::size_t k) {
        const TCvRect r = paths[k].GetBounds();
        return (r.right - r.left) * (r.top - r.bottom);
    };
    for (std::size_t j = 0; j < n; ++j) {
        if (!paths[j].closed || paths[j].points.empty()) continue;
        int depth = 0;
        std::size_t parent = n;
        for (std::size_t k = 0; k < n; ++k) {
            if (k == j || !paths[k].closed || paths[k].points.empty()) continue;
            if (!outlineInside(paths[k], paths[j])) continue;
            ++depth;
            if (parent == n || area(k) < area(parent)) parent = k;
        }
        if (depth % 2 == 1)
            out.push_back(std::to_string(j + 1) + ": lies inside path " +
                          std::to_string(parent + 1));
    }
    return out;
}

std::vector<std::string> checkedHoles(const std::vector<TCvLine>& paths) {
    std::vector<std::string> out;
    for (const PovFinding& f : PovCheck(paths, PovMode::Prism, {}, {}))
        if (f.rule == PovCheckRule::UnmergedHole)
            out.push_back(std::to_string(f.path) + ": " + f.message.substr(0, f.message.find(':')));
    return out;
}

// Squares, diamonds and curved blobs on whole units, so bounds often meet exactly and paths
// nest, touch, repeat and cross; some open, one far off to stretch the drawing.
std::vector<TCvLine> randomDrawing(std::mt19937& rng) {
    std::uniform_int_distribution<int> at(0, 24), size(1, 16), kind(0, 5), count(2, 40);
    std::vector<TCvLine> paths;
    const int n = count(rng);
    for (int i = 0; i < n; ++i) {
        const double x = at(rng), y = at(rng), s = size(rng);
        switch (kind(rng)) {
        case 0:
        case 1:
            paths.push_back(polyline({{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}}, true));
            break;
        case 2:
            paths.push_back(
                polyline({{x + s, y}, {x + 2 * s, y + s}, {x + s, y + 2 * s}, {x, y + s}}, true));
            break;
        case 3: {
            TCvLine blob;
            blob.points.emplace_back(TCvCoord{x, y}, TCvCoord{x - s, y + s},
                                     TCvCoord{x + s, y - s});
            blob.points.emplace_back(TCvCoord{x + s, y + s}, TCvCoord{x + 2 * s, y},
                                     TCvCoord{x, y + 2 * s});
            blob.closed = 1;
            paths.push_back(blob);
            break;
        }
        case 4:
            paths.push_back(polyline({{x, y}, {x + s, y}, {x + s, y + s}}, false));
            break;
        default:
            if (!paths.empty())
                paths.push_back(
                    paths[std::uniform_int_distribution<std::size_t>(0, paths.size() - 1)(rng)]);
            break;
        }
    }
    if (n % 3 == 0) paths.push_back(polyline({{1e6, 1e6}, {1e6 + 1, 1e6}, {1e6, 1e6 + 1}}, true));
    return paths;
}

TEST(PovCheckHoles, AgreeWithJudgingEveryPairOnRandomDrawings) {
    std::mt19937 rng(11);
    int holes = 0;
    for (int round = 0; round < 40; ++round) {
        const std::vector<TCvLine> paths = randomDrawing(rng);
        const std::vector<std::string> expected = everyPairHoles(paths);
        holes += static_cast<int>(expected.size());
        ASSERT_EQ(checkedHoles(paths), expected) << "round " << round;
    }
    EXPECT_GT(holes, 40); // the drawings do nest
}

} // namespace
