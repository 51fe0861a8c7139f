#include "export/PovSplineText.h"
#include "export/PovExport.h"
#include "model/ReadError.h"
#include "testing.h"

#include <random>

using namespace plumex;
using plumex::testing::coordNear;

namespace {

TEST(PathsFromSplineText, ContinuityDecidesHowManyPaths) {
    const auto joined =
        PathsFromSplineText("x bezier_spline 8 <0,0><1,1><2,1><3,0> <3,0>,<4,-1>,<5,1>,<6,0> }");
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].count(), 3);
    EXPECT_TRUE(joined[0].selected);
    const auto split =
        PathsFromSplineText("bezier_spline <0,0><1,1><2,1><3,0> <9,9><1,1><2,1><3,0>");
    EXPECT_EQ(split.size(), 2u);
    // Two blocks, and points after a block's "}" belong to no block.
    const auto blocks =
        PathsFromSplineText("bezier_spline <0,0><1,1><2,1><0,0>} <7,7><1,1><2,1><3,0>"
                            " bezier_spline 4 <5,5><6,6><7,7><8,8>");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0].closed);
    EXPECT_EQ(blocks[0].count(), 1);
    EXPECT_TRUE(PathsFromSplineText("no keyword <0,0><1,1><2,1><3,0>").empty());
    EXPECT_THROW(PathsFromSplineText("bezier_spline <0,0><a,1>"), ReadError);
}

// Random closed and open paths survive export and reading back within the accuracy written.
TEST(PathsFromSplineText, ReadsBackWhatThePrismExportWrites) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> coord(-50, 50);
    auto point = [&] { return TCvCoord{coord(rng), coord(rng)}; };
    std::vector<TCvLine> paths(20);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        for (int k = 0; k < 2 + static_cast<int>(i % 5); ++k)
            paths[i].points.emplace_back(point(), point(), point());
        paths[i].closed = i % 2;
    }
    PovRequest request = PovDlgState{}.request(PovMode::Prism, {});
    request.accuracy = 6;
    const auto back = PathsFromSplineText(PovExportText(paths, request));
    ASSERT_EQ(back.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ASSERT_EQ(back[i].closed, paths[i].closed);
        ASSERT_EQ(back[i].count(), paths[i].count());
        for (int k = 0; k < paths[i].segmentCount(); ++k) {
            const Segment a = paths[i].segment(k), b = back[i].segment(k);
            EXPECT_TRUE(coordNear(a.a, b.a, 5e-7));
            EXPECT_TRUE(coordNear(a.h1, b.h1, 5e-7));
            EXPECT_TRUE(coordNear(a.h2, b.h2, 5e-7));
            EXPECT_TRUE(coordNear(a.b, b.b, 5e-7));
        }
    }
}

} // namespace
