#include "export/PovExport.h"
#include "testing.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

std::vector<TCvLine> squares(int count) {
    std::vector<TCvLine> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true));
    return paths;
}

std::vector<std::string> declaredNames(const std::string& text) {
    std::vector<std::string> names;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("#declare ", 0) == 0) names.push_back(line.substr(9, line.find(' ', 9) - 9));
    return names;
}

TEST(PovExport, SeveralPathsAreNumberedToTheDigitWidthOfCountPlusOne) {
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Declare;
    const PovArrayDlgState arrays;
    const auto eight = declaredNames(PovExportText(squares(8), PovMode::Prism, dlg, arrays));
    ASSERT_EQ(eight.size(), 8u);
    EXPECT_EQ(eight.front(), "Prism1");
    EXPECT_EQ(eight.back(), "Prism8");
    const auto nine = declaredNames(PovExportText(squares(9), PovMode::Prism, dlg, arrays));
    ASSERT_EQ(nine.size(), 9u);
    EXPECT_EQ(nine.front(), "Prism01");
    EXPECT_EQ(nine.back(), "Prism09");
    const auto one = declaredNames(PovExportText(squares(1), PovMode::Array, dlg, arrays));
    EXPECT_EQ(one, std::vector<std::string>{"Points"});
}

TEST(PovExport, DirectObjectsAreJoinedUnnumbered) {
    const std::string one = PovExportText(squares(1), PovMode::Prism, {}, {});
    EXPECT_EQ(PovExportText(squares(3), PovMode::Prism, {}, {}), one + one + one);
}

TEST(PovExport, PathsWithoutTextAreLeftOutBeforeNumbering) {
    std::vector<TCvLine> paths = squares(2);
    paths.insert(paths.begin() + 1, TCvLine{});
    PovArrayDlgState arrays;
    EXPECT_EQ(declaredNames(PovExportText(paths, PovMode::Array, {}, arrays)),
              (std::vector<std::string>{"Points1", "Points2"}));
    EXPECT_EQ(PovExportText({TCvLine{}, TCvLine{}}, PovMode::Prism, {}, {}), "");
    EXPECT_EQ(PovExportText({polyline({{1, 1}})}, PovMode::Array, {}, arrays), "");
    EXPECT_EQ(PovExportText({}, PovMode::Lathe, {}, {}), "");
}

TEST(PovExport, LatheEdgesCountOnlyHandlesThatShapeTheCurve) {
    // The first in-handle and last out-handle of an open path take no part.
    const TCvLine open = curve({{{0, 0}, {-9, 0}, {1, 1}}, {{2, 0}, {1.5, 1}, {11, 0}}});
    const LatheEdges e = latheEdges({open});
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.right, 2);
    TCvLine closed = open;
    closed.closed = 1;
    const LatheEdges c = latheEdges({closed, TCvLine{}});
    EXPECT_EQ(c.left, -9);
    EXPECT_EQ(c.right, 11);
}

TEST(PovExport, LatheAxisRuleWhenTheSelectionStraddlesTheYAxis) {
    PovDlgState dlg;
    dlg.modifiers = "";
    dlg.axis = LatheAxis::RightOfSelection;
    dlg.prepareLathe({1, 4}); // does not straddle: the y axis is enabled and checked again
    EXPECT_TRUE(dlg.yAxisEnabled);
    EXPECT_EQ(dlg.axis, LatheAxis::YAxis);
    dlg.prepareLathe({-1, 4});
    EXPECT_FALSE(dlg.yAxisEnabled);
    EXPECT_EQ(dlg.axis, LatheAxis::LeftOfSelection);
    // A y-axis choice that cannot apply is taken as the left edge.
    const TCvLine across = polyline({{-1, 0}, {4, 1}});
    dlg.axis = LatheAxis::YAxis;
    EXPECT_EQ(PovExportText({across}, PovMode::Lathe, dlg, {}),
              "lathe {\r\n bezier_spline 4\r\n <0,0><0,0><5,1><5,1>\r\n translate -1*x\r\n}\r\n");
}

TEST(PovOptions, RememberedNamesAndNumberFields) {
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Declare;
    dlg.acceptName(PovMode::Lathe, "Vase");
    dlg.acceptName(PovMode::Prism, ""); // an emptied field keeps the old name
    EXPECT_EQ(dlg.request(PovMode::Lathe, {}).name, "#declare Vase");
    EXPECT_EQ(dlg.request(PovMode::Prism, {}).name, "#declare Prism");
    EXPECT_EQ(dlg.request(PovMode::Lathe, {}).sweep, "");
    for (auto [text, want] : {std::pair{"15", 15},
                              {"7", 7},
                              {"+3", 3},
                              {"x", 15},
                              {"", 15},
                              {"3.5", 15},
                              {" 4", 15},
                              {"-2", 0},
                              {"21", 20},
                              {"99999999999999", 15}}) {
        dlg.accuracy = text;
        EXPECT_EQ(dlg.request(PovMode::Prism, {}).accuracy, want) << text;
    }
}

TEST(PovExportFile, WritesHeaderThenTextAndKeepsTheOldFileOnFailure) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("plumex_pov_export_file_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "busy" / "keep");
    const std::string path = (dir / "out.inc").string();
    ASSERT_TRUE(PovExportFile(path, "prism {}\r\n"));
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "// Exported from Plumex\r\n\r\nprism {}\r\n");
    std::string error;
    EXPECT_FALSE(PovExportFile((dir / "busy").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "busy" / "keep"));
    std::filesystem::remove_all(dir);
}

} // namespace

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Paths big enough that the streamed text is handed on in the middle of a path, in the middle
// of a poly line's points and between paths, with straight and curved segments mixed.
std::vector<TCvLine> bigPaths() {
    std::vector<TCvLine> paths;
    for (int p = 0; p < 4; ++p) {
        TCvLine line;
        for (int i = 0; i < 700 * (p + 1); ++i) {
            const TCvCoord a{i * 0.37 + p, (i % 13) * 1.25 - p};
            const TCvCoord h = i % 3 == 0 ? a : TCvCoord{a.x + 0.5, a.y - 0.75};
            line.points.emplace_back(a, h, h);
        }
        line.closed = p % 2;
        paths.push_back(line);
    }
    paths.push_back(TCvLine{}); // gives no text and takes no number
    return paths;
}

TEST(PovExportStream, StreamedTextEqualsTheTextBuiltWhole) {
    const std::vector<TCvLine> paths = bigPaths();
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Declare;
    PovArrayDlgState arrays;
    for (PovMode mode : {PovMode::Prism, PovMode::Lathe, PovMode::Array})
        for (LineForm form : {LineForm::AllFour, LineForm::SharedEnds, LineForm::PolyLine}) {
            arrays.lineForm = form;
            arrays.divideCount = "7";
            const PovRequest request = PovExportRequest(pathRefs(paths), mode, dlg, arrays);
            const std::string whole = PovExportText(paths, request);
            ASSERT_GT(whole.size(), 200000u);
            std::ostringstream streamed;
            writePovExport(streamed, pathRefs(paths), request);
            EXPECT_TRUE(streamed.str() == whole)
                << "mode " << static_cast<int>(mode) << " form " << static_cast<int>(form);
            if (mode != PovMode::Array) break;
        }
}

TEST(PovExportStream, FileFormMatchesAndNothingToExportLeavesTheFile) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("plumex_pov_export_stream_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.inc").string();
    const std::vector<TCvLine> paths = bigPaths();
    const PovRequest request = PovExportRequest(pathRefs(paths), PovMode::Prism, {}, {});
    std::string error;
    ASSERT_TRUE(PovExportFile(path, pathRefs(paths), request, &error)) << error;
    EXPECT_TRUE(fileText(path) == std::string(PovFileHeader) + PovExportText(paths, request));

    const std::vector<TCvLine> empty{TCvLine{}};
    EXPECT_FALSE(PovHasAnyText(pathRefs(empty), request));
    EXPECT_FALSE(PovExportFile(path, pathRefs(empty), request, &error));
    EXPECT_EQ(error, "Nothing to export");
    EXPECT_EQ(fileText(path).substr(0, PovFileHeader.size()), PovFileHeader);
    EXPECT_GT(fileText(path).size(), 200000u);
    std::filesystem::remove_all(dir);
}

} // namespace
