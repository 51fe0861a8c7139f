#include "export/IllustratorExport.h"
#include "export/ContentBounds.h"
#include "export/OwnerInfo.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <unistd.h>

namespace plumex {
namespace {

using testing::A3;

IllustratorHeader fixedHeader(std::string owner = "", std::string organization = "") {
    IllustratorHeader h;
    h.owner = std::move(owner);
    h.organization = std::move(organization);
    h.title = "square.ai";
    h.year = 2024;
    h.month = 3;
    h.day = 7;
    h.hour = 9;
    h.minute = 5;
    return h;
}

// The lines after the two graphics-state lines, up to the trailer.
std::string body(const std::string& text) {
    const std::string start = "0 J 0 j 1 w 4 M []0 d\r\n";
    const std::size_t from = text.find(start) + start.size();
    return text.substr(from, text.find("%%Trailer") - from);
}

std::string textOf(const std::vector<TCvLine>& lines, double scale) {
    return IllustratorText(lines, scale, contentBounds(lines), fixedHeader());
}

TEST(IllustratorExport, UnitSquareWholeFile) {
    const std::vector<TCvLine> lines{testing::polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true)};
    EXPECT_EQ(textOf(lines, 100), "%!PS-Adobe-2.0 EPSF-1.2\r\n"
                                  "%%Creator: Adobe Illustrator(TM) for Windows, version 4.0\r\n"
                                  "%%Title: (square.ai)\r\n"
                                  "%%CreationDate: (2024.3.7) (09:05)\r\n"
                                  "%%BoundingBox: 9 9 111 111\r\n"
                                  "%%TemplateBox: 9 9 111 111\r\n"
                                  "%%EndComments\r\n"
                                  "%%BeginProlog\r\n"
                                  "%%EndProlog\r\n"
                                  "%%BeginSetup\r\n"
                                  "%%EndSetup\r\n"
                                  "0 0 0 1 K\r\n"
                                  "0 J 0 j 1 w 4 M []0 d\r\n"
                                  "10.0000 10.0000 m\r\n"
                                  "110.0000 10.0000 L\r\n"
                                  "110.0000 110.0000 L\r\n"
                                  "10.0000 110.0000 L\r\n"
                                  "10.0000 10.0000 L\r\n"
                                  "s\r\n"
                                  "%%Trailer\r\n"
                                  "%%EOF\r\n");
}

TEST(IllustratorExport, OperatorByRetractedHandlesAndCaseBySmoothEnd) {
    // Anchor 1 and 3 are smooth (handles in line on both sides), anchor 2 and 4 are corners.
    const TCvLine line = testing::curve({
        {{0, 0}, {0, 0}, {0, 0}},        // start
        {{2, 0}, {1, 0}, {3, 0}},        // v: first handle retracted, end smooth
        {{4, 2}, {4, 1}, {5, 2}},        // c: both handles out, end is a corner
        {{6, 2}, {5, 3}, {7, 1}},        // c: end smooth
        {{8, 0}, {8, 0}, {8, 0}},        // y: second handle retracted, always a corner
        {{9, 0}, {8.5, 0.5}, {9.5, 0.5}} // v: end corner (handles not in line)
    });
    EXPECT_EQ(body(textOf({line}, 1)), "10.0000 10.0000 m\r\n"
                                       "11.0000 10.0000 12.0000 10.0000 v\r\n"
                                       "13.0000 10.0000 14.0000 11.0000 14.0000 12.0000 C\r\n"
                                       "15.0000 12.0000 15.0000 13.0000 16.0000 12.0000 c\r\n"
                                       "17.0000 11.0000 18.0000 10.0000 Y\r\n"
                                       "18.5000 10.5000 19.0000 10.0000 V\r\n"
                                       "S\r\n");
}

TEST(IllustratorExport, ClosingSegmentIsWrittenBeforeTheClose) {
    // A closed two-anchor lens: the closing segment is a curve back to the first anchor. Its
    // curve reaches down to y = -0.75, which truncates to an offset of 10.
    const TCvLine lens =
        testing::curve({{{0, 0}, {0, -1}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}}, true);
    EXPECT_EQ(body(textOf({lens}, 1)), "10.0000 10.0000 m\r\n"
                                       "10.0000 11.0000 12.0000 11.0000 12.0000 10.0000 c\r\n"
                                       "12.0000 9.0000 10.0000 9.0000 10.0000 10.0000 c\r\n"
                                       "s\r\n");
}

TEST(IllustratorExport, EveryPathWhateverItsStateAndDegeneratePaths) {
    TCvLine hidden = testing::polyline({{0, 0}, {1, 0}});
    hidden.visible = 0;
    TCvLine locked = testing::polyline({{0, 1}, {1, 1}});
    locked.locked = 1;
    locked.selected = 1;
    TCvLine dot = testing::polyline({{0.5, 0.5}});
    // A closed one-anchor path: its segment starts and ends on the anchor, read from nothing else.
    const TCvLine loop = testing::curve({{{0.5, 0}, {0, 1}, {1, 1}}}, true);
    const std::string text = textOf({hidden, TCvLine{}, locked, dot, loop}, 10);
    EXPECT_EQ(body(text), "10.0000 10.0000 m\r\n20.0000 10.0000 L\r\nS\r\n"
                          "10.0000 20.0000 m\r\n20.0000 20.0000 L\r\nS\r\n"
                          "15.0000 15.0000 m\r\nS\r\n"
                          "15.0000 10.0000 m\r\n"
                          "20.0000 20.0000 10.0000 20.0000 15.0000 10.0000 C\r\ns\r\n");
}

TEST(IllustratorExport, FrameFollowsBoundsDraftAndNegativeCoordinates) {
    // Offsets truncate toward zero: -(-1.234) * 100 = 123.4 -> 123.
    const std::vector<TCvLine> lines{testing::polyline({{-1.234, -0.5}, {0.25, 0.75}})};
    const std::string text = textOf(lines, 100);
    EXPECT_NE(text.find("%%BoundingBox: 9 9 159 136\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("9.6000 10.0000 m\r\n"), std::string::npos) << text;

    // A draft picture widens the frame; an empty drawing frames the origin alone.
    const TCvRect draft(-2, 3, 1, -1);
    EXPECT_EQ(contentBounds(lines, draft), draft);
    EXPECT_EQ(contentBounds({}, std::nullopt), TCvRect{});
    const std::string empty = IllustratorText({}, 100, contentBounds({}), fixedHeader());
    EXPECT_NE(empty.find("%%BoundingBox: 9 9 11 11\r\n"), std::string::npos);
    EXPECT_EQ(body(empty), "");
}

TEST(IllustratorExport, ForLineAndEscapedTexts) {
    const std::vector<TCvLine> lines{testing::polyline({{0, 0}, {1, 1}})};
    IllustratorHeader h = fixedHeader("Ada Lovelace");
    EXPECT_NE(IllustratorText(lines, 1, contentBounds(lines), h)
                  .find("4.0\r\n%%For: (Ada Lovelace)\r\n%%Title: (square.ai)\r\n"),
              std::string::npos);
    h.organization = "Engines (Ltd)";
    h.title = "a\nb\\c.ai";
    const std::string text = IllustratorText(lines, 1, contentBounds(lines), h);
    EXPECT_NE(text.find("%%For: (Ada Lovelace) (Engines \\(Ltd\\))\r\n"), std::string::npos);
    // A newline in a file name must not start a line of its own in the header.
    EXPECT_NE(text.find("%%Title: (a\\012b\\\\c.ai)\r\n"), std::string::npos) << text;

    EXPECT_EQ(ownerFromGecos("Ada Lovelace,Room 12,555,"), "Ada Lovelace");
    EXPECT_EQ(ownerFromGecos(",,,"), "");
    EXPECT_EQ(ownerFromGecos(nullptr), "");
}

TEST(IllustratorExport, UnusableScaleOrFrameIsRefused) {
    const std::vector<TCvLine> lines{testing::polyline({{0, 0}, {1, 1}})};
    const TCvRect b = contentBounds(lines);
    for (double s : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 3e9})
        EXPECT_THROW(IllustratorText(lines, s, b, fixedHeader()), IllustratorRangeError) << s;
    EXPECT_NO_THROW(IllustratorText(lines, 2e9, b, fixedHeader()));
    EXPECT_THROW(IllustratorText({}, 1, TCvRect(-3e9, 0, 0, 0), fixedHeader()),
                 IllustratorRangeError);
}

// Thousands of paths make text far beyond one piece handed to the stream: the whole is exactly
// the header, each path's own lines in order and the trailer, in the file as in memory.
TEST(IllustratorExport, LargeDrawingStreamsEveryPathOnce) {
    std::vector<TCvLine> lines;
    for (int i = 0; i < 3000; ++i)
        lines.push_back(testing::polyline({{0.5 * i, 0}, {0.5 * i + 1, 2}, {0.5 * i, 3}}, i % 2));
    const TCvRect bounds = contentBounds(lines);
    const std::string text = IllustratorText(lines, 10, bounds, fixedHeader());
    std::string expected;
    for (const TCvLine& line : lines) expected += body(IllustratorText({line}, 10, bounds, {}));
    EXPECT_EQ(body(text), expected);
    EXPECT_GT(text.size(), std::size_t{3} << 16);
    EXPECT_TRUE(text.ends_with("s\r\n%%Trailer\r\n%%EOF\r\n"));

    const auto file = std::filesystem::temp_directory_path() /
                      ("plumex_ai_large_" + std::to_string(::getpid()) + ".ai");
    ASSERT_TRUE(ExportIllustrator(file.string(), lines, 10, bounds));
    const std::vector<std::uint8_t> bytes = readFileBytes(file.string());
    std::filesystem::remove(file);
    const std::string written(bytes.begin(), bytes.end());
    // The header differs only in its title and date.
    EXPECT_EQ(written.substr(written.find("%%BoundingBox")),
              text.substr(text.find("%%BoundingBox")));
}

TEST(IllustratorExport, FailedExportKeepsThePreviousFile) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("plumex_ai_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "keep.ai").string();
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    writeFileAtomically(file, old);
    const std::vector<TCvLine> lines{testing::polyline({{0, 0}, {1, 1}})};
    std::string error;
    EXPECT_FALSE(ExportIllustrator(file, lines, 1e300, contentBounds(lines), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFileBytes(file), old);
    EXPECT_FALSE(ExportIllustrator((dir / "missing" / "x.ai").string(), lines, 1,
                                   contentBounds(lines), &error));
    EXPECT_FALSE(ExportIllustrator("", lines, 1, contentBounds(lines), &error));

    ASSERT_TRUE(ExportIllustrator(file, lines, 1, contentBounds(lines), &error)) << error;
    const std::vector<std::uint8_t> bytes = readFileBytes(file);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("%%Title: (keep.ai)\r\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace plumex
