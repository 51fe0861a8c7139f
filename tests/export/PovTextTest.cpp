#include "export/PovText.h"
#include "export/PovOptions.h"
#include "testing.h"

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

// Two curved segments: (0,0) -> (3,0) -> (6,0).
TCvLine wave() {
    return curve(
        {{{0, 0}, {-1, -1}, {1, 1}}, {{3, 0}, {2, 1}, {4, -1}}, {{6, 0}, {5, 1}, {7, -1}}});
}

PovRequest prismRequest() {
    return PovDlgState{}.request(PovMode::Prism, {});
}

std::string readData(const std::string& name) {
    std::ifstream in(std::string(PLUMEX_TEST_DATA) + "/export/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_TRUE(in.good()) << name;
    return ss.str();
}

TEST(PovText, PrismWithDefaultsAndName) {
    EXPECT_EQ(PovText(wave(), prismRequest()),
              "prism {\r\n linear_sweep\r\n bezier_spline 0,1,8\r\n"
              " <0,0><1,1><2,1><3,0>\r\n"
              " <3,0><4,-1><5,1><6,0>\r\n"
              " pigment {color rgb 1}\r\n}\r\n");
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Local;
    dlg.bottom = "-0.5 ";
    dlg.top = "2";
    dlg.modifiers = "";
    dlg.accuracy = "1";
    const TCvLine square = polyline({{0, 0}, {1.25, 0}, {1.25, 1}}, true);
    EXPECT_EQ(PovText(square, dlg.request(PovMode::Prism, {})),
              "#local Prism = prism {\r\n linear_sweep\r\n bezier_spline -0.5 ,2,12\r\n"
              " <0,0><0,0><1.2,0><1.2,0>\r\n"
              " <1.2,0><1.2,0><1.2,1><1.2,1>\r\n"
              " <1.2,1><1.2,1><0,0><0,0>\r\n}\r\n");
}

TEST(PovText, LatheAxisChoices) {
    const TCvLine profile = polyline({{-3, 0}, {-1, 2}});
    PovDlgState dlg;
    dlg.modifiers = "";
    const LatheEdges edges{-3, -1};
    // Left of the y axis: mirrored so the radii are positive, no translate line.
    EXPECT_EQ(PovText(profile, dlg.request(PovMode::Lathe, edges)),
              "lathe {\r\n bezier_spline 4\r\n <3,0><3,0><1,2><1,2>\r\n}\r\n");
    dlg.axis = LatheAxis::LeftOfSelection;
    EXPECT_EQ(PovText(profile, dlg.request(PovMode::Lathe, edges)),
              "lathe {\r\n bezier_spline 4\r\n <0,0><0,0><2,2><2,2>\r\n translate -3*x\r\n}\r\n");
    dlg.axis = LatheAxis::RightOfSelection;
    dlg.declaration = PovDeclaration::Declare;
    EXPECT_EQ(PovText(profile, dlg.request(PovMode::Lathe, edges)),
              "#declare Lathe = lathe {\r\n bezier_spline 4\r\n <2,0><2,0><0,2><0,2>\r\n"
              " translate -1*x\r\n}\r\n");
}

TEST(PovText, ArrayControlPointForms) {
    PovArrayDlgState dlg;
    EXPECT_EQ(PovText(wave(), dlg.request()), "#declare Points = array[8] {\r\n"
                                              " <0,0><1,1><2,1><3,0>\r\n"
                                              " <3,0><4,-1><5,1><6,0>\r\n}\r\n");
    dlg.lineForm = LineForm::SharedEnds;
    dlg.pointForm = PointForm::XValueY;
    dlg.value = "h";
    dlg.local = true;
    EXPECT_EQ(PovText(wave(), dlg.request()), "#local Points = array[7] {\r\n"
                                              " <0,h,0><1,h,1><2,h,1>\r\n"
                                              " <3,h,0><4,h,-1><5,h,1>\r\n"
                                              " <6,h,0>\r\n}\r\n");
    // A closed path ends where it started.
    dlg.pointForm = PointForm::XYValue;
    dlg.value = "0";
    const TCvLine triangle = polyline({{0, 0}, {1, 0}, {0, 1}}, true);
    EXPECT_EQ(PovText(triangle, dlg.request()),
              "#local Points = array[10] {\r\n <0,0,0><0,0,0><1,0,0>\r\n <1,0,0><1,0,0><0,1,0>\r\n"
              " <0,1,0><0,1,0><0,0,0>\r\n <0,0,0>\r\n}\r\n");
}

TEST(PovText, PolyLinesMatchReferenceFiles) {
    PovArrayDlgState dlg;
    dlg.lineForm = LineForm::PolyLine;
    dlg.divideCount = "4";
    dlg.accuracy = "3";
    // Curved, curved, then a straight closing segment: 4 + 4 + 1 points.
    TCvLine closed = wave();
    closed.closed = 1;
    closed.points.back().outHandle = closed.points.back().anchor;
    closed.points.front().inHandle = closed.points.front().anchor;
    EXPECT_EQ(PovText(closed, dlg.request()), readData("polyline_closed.txt"));
    // Open: 4 + 4 points and the last anchor on a line of its own.
    EXPECT_EQ(PovText(wave(), dlg.request()), readData("polyline_open.txt"));
}

TEST(PovText, PolyLineDivideCountEdgeCases) {
    PovArrayDlgState dlg;
    dlg.lineForm = LineForm::PolyLine;
    dlg.divideCount = "-7"; // counts as 0: curved segments give no points
    EXPECT_EQ(PovText(wave(), dlg.request()), "#declare Points = array[1] {\r\n <6,0>\r\n}\r\n");
    dlg.divideCount = "many"; // not an integer: 50
    EXPECT_EQ(dlg.request().divideCount, 50);
    const std::string text = PovText(wave(), dlg.request());
    EXPECT_NE(text.find("array[101]"), std::string::npos);
    // A huge count must neither overflow the array size nor exhaust memory.
    dlg.divideCount = "2147483647";
    const std::string capped = PovText(wave(), dlg.request());
    const std::string size = "array[" + std::to_string(2 * MaxDivideCount + 1) + "]";
    EXPECT_EQ(capped.find(size), capped.find("array["));
    EXPECT_EQ(std::count(capped.begin(), capped.end(), '<'), 2 * MaxDivideCount + 1);
}

TEST(PovText, PathsThatCannotGiveValidTextGiveNone) {
    const TCvLine empty;
    const TCvLine single = polyline({{2, 3}});
    PovArrayDlgState dlg;
    EXPECT_EQ(PovText(empty, prismRequest()), "");
    EXPECT_EQ(PovText(empty, PovDlgState{}.request(PovMode::Lathe, {})), "");
    dlg.lineForm = LineForm::PolyLine;
    EXPECT_EQ(PovText(empty, dlg.request()), "");
    EXPECT_EQ(PovText(single, dlg.request()), "#declare Points = array[1] {\r\n <2,3>\r\n}\r\n");
    dlg.lineForm = LineForm::SharedEnds;
    EXPECT_EQ(PovText(empty, dlg.request()), "");
    EXPECT_EQ(PovText(single, dlg.request()), "#declare Points = array[1] {\r\n <2,3>\r\n}\r\n");
    dlg.lineForm = LineForm::AllFour; // array[0] is refused by POV-Ray
    EXPECT_EQ(PovText(single, dlg.request()), "");
}

} // namespace
