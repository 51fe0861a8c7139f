#include "export/PovPreview.h"
#include "export/PovRayInvocation.h"
#include "export/PovRayRunner.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace plumex;
using plumex::testing::polyline;
namespace fs = std::filesystem;

namespace {

const fs::path Data = fs::path(PLUMEX_TEST_DATA) / "export";

std::vector<TCvLine> example(const std::string& name) {
    return readDocument(readFileBytes((Data / ".." / ".." / ".." / "examples" / name).string()))
        .lines;
}

// Compares with a stored scene; PLUMEX_UPDATE_GOLDEN=1 rewrites it instead.
void expectGolden(const std::string& text, const std::string& file) {
    if (std::getenv("PLUMEX_UPDATE_GOLDEN")) std::ofstream(Data / file, std::ios::binary) << text;
    EXPECT_EQ(text, plumex::testing::slurpFile(Data / file)) << file;
}

TEST(PovPreview, ScenesOfTheExamplesMatchTheirGoldenFiles) {
    expectGolden(PovPreviewScene(example("letter_p.plx"), PovMode::Prism, {}),
                 "preview_letter_p_prism.pov");
    expectGolden(PovPreviewScene(example("goblet.plx"), PovMode::Lathe, {}),
                 "preview_goblet_lathe.pov");
}

TEST(PovPreview, ObjectsAreDirectWhateverTheDeclaration) {
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Declare;
    const std::string objects = PovPreviewObjects(example("letter_p.plx"), PovMode::Prism, dlg);
    EXPECT_EQ(objects.rfind("prism {", 0), 0u);
    EXPECT_EQ(objects.find("#declare"), std::string::npos);
    // Arrays have no shape of their own: shown as the prism.
    EXPECT_EQ(PovPreviewObjects(example("letter_p.plx"), PovMode::Array, dlg), objects);
    EXPECT_EQ(PovPreviewObjects({TCvLine{}}, PovMode::Lathe, dlg), "");
}

TEST(PovPreview, BoundsFollowTheSweepAndTheLatheAxis) {
    const std::vector<TCvLine> profile{polyline({{2, -1}, {5, 1}, {3, 4}})};
    PovDlgState dlg;
    dlg.bottom = " 3";
    dlg.top = "-0.5";
    PovBox b = PovPreviewBounds(profile, PovMode::Prism, dlg);
    EXPECT_EQ(b.minX, 2);
    EXPECT_EQ(b.maxX, 5);
    EXPECT_EQ(b.minY, -0.5); // the sweep heights in either order
    EXPECT_EQ(b.maxY, 3);
    EXPECT_EQ(b.minZ, -1); // the drawing's y runs along z
    EXPECT_EQ(b.maxZ, 4);
    // Measured from the right edge (x = 5) the radius is 3 and the lathe is moved back there.
    dlg.axis = LatheAxis::RightOfSelection;
    b = PovPreviewBounds(profile, PovMode::Lathe, dlg);
    EXPECT_EQ(b.minX, 2);
    EXPECT_EQ(b.maxX, 8);
    EXPECT_EQ(b.minZ, -3);
    EXPECT_EQ(b.minY, -1);
    EXPECT_EQ(b.maxY, 4);
    // A sweep that is not a plain number takes the defaults.
    dlg.bottom = "Low";
    dlg.top = "";
    b = PovPreviewBounds(profile, PovMode::Prism, dlg);
    EXPECT_EQ(b.minY, 0);
    EXPECT_EQ(b.maxY, 1);
}

TEST(PovRayInvocation, QuickAndFullPasses) {
    PovRayJob job{"/tmp/a b/scene.pov", "/tmp/a b/out.png", 0, 30, true, false};
    const auto quick = povrayArguments(job);
    EXPECT_EQ(quick[0], "+I/tmp/a b/scene.pov"); // one argument each, blanks and all
    EXPECT_EQ(quick[2], "+W1");
    EXPECT_NE(std::find(quick.begin(), quick.end(), "+Q3"), quick.end());
    job.quick = false;
    job.ppm = true;
    const auto full = povrayArguments(job);
    EXPECT_NE(std::find(full.begin(), full.end(), "+A0.3"), full.end());
    EXPECT_NE(std::find(full.begin(), full.end(), "+FP"), full.end());
}

TEST(PovRayInvocation, FailureAndProgressAreReadFromRealOutput) {
    plumex::testing::ScratchDir dir("plumex_invocation_");
    const auto bad = plumex::testing::runPovRay(
        dir.path(), "#version 3.7;\nlathe { bezier_spline 4 <0,0><-1,0><1,1><1,2> }\n", 8, 8);
    EXPECT_EQ(povrayFailure(bad.log), "File 'scene.pov' line 2: Parse Error: Incorrect point in "
                                      "lathe.");
    const auto good = plumex::testing::runPovRay(
        dir.path(), "#version 3.7;\nsphere { 0, 1 pigment { color rgb 1 } }\n", 8, 8);
    // The advice about assumed_gamma is no failure.
    EXPECT_NE(good.log.find("Possible Parse Error"), std::string::npos);
    EXPECT_EQ(povrayFailure(good.log), "");
    EXPECT_EQ(povrayProgress("Rendered 1024 of 76800 pixels (1%)\rRendered 38400 of 76800 "
                             "pixels (50%)"),
              50);
    EXPECT_EQ(povrayProgress("Parsing 10K tokens"), -1);
    EXPECT_EQ(povrayProgress("(%)"), -1);
}

} // namespace
