#include "export/SvgExport.h"

#include "model/FileBytes.h"
#include "testing.h"

#include <cstdio>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

namespace plumex {
namespace {

using testing::A3;

TEST(SvgExport, PathDataFlipsYAndScalesToPixels) {
    const TCvLine open = testing::curve(
        {{{1, 0}, {1, 0}, {2, 0}}, {{3, 1}, {3, 0}, {3, 1}}, {{3, 2}, {3, 2}, {3, 2}}});
    EXPECT_EQ(SvgPathData(open), "M 100 0 C 200 0 300 0 300 -100 L 300 -200");
    const TCvLine closed = testing::polyline({{0, 0}, {0.1, 0}, {0.1, -0.25}}, true);
    // The closing segment is written out, so reading it back finds the start again.
    EXPECT_EQ(SvgPathData(closed), "M 0 0 L 10 0 L 10 25 L 0 0 Z");
    // The shortest text that reads back exactly, without exponents.
    const TCvLine fine = testing::polyline({{1.0 / 3, -1e-7}, {1e9, 0}});
    EXPECT_EQ(SvgPathData(fine), "M 33.33333333333333 0.000009999999999999999 L 100000000000 0");
}

TEST(SvgExport, DocumentHasViewBoxFromExactBoundsAndFillByKind) {
    const TCvLine square = testing::polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    // The arch's top lies at 0.75 of its handles' height: exact bounds, not the hull.
    const TCvLine arch = testing::curve({{{2, 0}, {2, 0}, {2, 2}}, {{3, 0}, {3, 2}, {3, 0}}});
    const std::string text = SvgExportText({square, arch, TCvLine{}});
    EXPECT_NE(text.find("viewBox=\"-1 -151 302 152\""), std::string::npos) << text;
    EXPECT_NE(text.find("width=\"302\" height=\"152\""), std::string::npos);
    EXPECT_NE(text.find("fill=\"black\" fill-rule=\"evenodd\" stroke=\"none\""), std::string::npos);
    EXPECT_NE(text.find("fill=\"none\" stroke=\"black\""), std::string::npos);
    std::size_t paths = 0;
    for (std::size_t at = text.find("<path"); at != std::string::npos;
         at = text.find("<path", at + 1))
        ++paths;
    EXPECT_EQ(paths, 2u); // the path without anchors is left out
}

TEST(SvgExport, FailureKeepsThePreviousFile) {
    const std::string file = ::testing::TempDir() + "svg_export_keep.svg";
    const TCvLine line = testing::polyline({{0, 0}, {1, 1}});
    std::string error;
    ASSERT_TRUE(SvgExportFile(file, {line}, &error)) << error;
    const auto before = readFileBytes(file);
    const double huge = std::numeric_limits<double>::max() / 2;
    EXPECT_FALSE(SvgExportFile(file, {testing::polyline({{0, 0}, {huge, 0}})}, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(file), before);
    EXPECT_FALSE(SvgExportFile("/nonexistent-dir/x.svg", {line}, &error));
    EXPECT_FALSE(error.empty());
    std::remove(file.c_str());
}

// A handle lies outside the curve's bounds, so only the path data would meet it: the drawing is
// refused before the stream gets the document's first line.
TEST(SvgExport, RefusedDrawingWritesNothingToTheStream) {
    const double huge = std::numeric_limits<double>::max() / 2;
    TCvLine line = testing::polyline({{0, 0}, {1, 1}});
    line.points[1].inHandle = {1, huge};
    std::ostringstream out;
    EXPECT_THROW(WriteSvg(out, {testing::polyline({{0, 0}, {1, 0}}), line}), std::domain_error);
    EXPECT_EQ(out.str(), "");
}

} // namespace
} // namespace plumex
