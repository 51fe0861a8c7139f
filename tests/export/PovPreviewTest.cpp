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
using plumex::testing::PovRayRun;
using plumex::testing::runPovRay;
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

// The camera and the floor are fitted to the shape, so a shape far smaller looks
// the same: no number of the scene may round away.
TEST(PovPreview, SmallDrawingsLookLikeLargeOnes) {
    plumex::testing::ScratchDir dir("plumex_preview_");
    TCvLine profile = polyline({{0, 0}, {3, 0}, {2, 2}, {0, 2}});
    const PovRayRun large =
        runPovRay(dir.path(), PovPreviewScene({profile}, PovMode::Lathe, {}), 48, 36);
    profile.Scale(1e-5, 1e-5);
    const std::string scene = PovPreviewScene({profile}, PovMode::Lathe, {});
    EXPECT_NE(scene.find("#declare Radius = 4.35889894e-05;"), std::string::npos) << scene;
    const PovRayRun small = runPovRay(dir.path(), scene, 48, 36);
    ASSERT_EQ(small.status, 0) << small.log;
    EXPECT_FALSE(small.parseWarning()) << small.log;
    ASSERT_EQ(small.rgb.size(), large.rgb.size());
    int differ = 0;
    for (std::size_t i = 0; i < small.rgb.size(); ++i)
        differ += std::abs(static_cast<unsigned char>(small.rgb[i]) -
                           static_cast<unsigned char>(large.rgb[i])) > 24;
    EXPECT_LT(differ, 20) << "of " << small.rgb.size() << " channel values";
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
    EXPECT_NE(std::find(full.begin(), full.end(), "+R3"), full.end());
    EXPECT_NE(std::find(full.begin(), full.end(), "+FP"), full.end());
}

bool has(const PovRayJob& job, const std::string& argument) {
    const auto args = povrayArguments(job);
    return std::find(args.begin(), args.end(), argument) != args.end();
}

TEST(PovRayInvocation, PreviewPassesFollowThePanelsSize) {
    for (const auto& [w, h] : {std::pair{200, 150}, {640, 480}, {1600, 1200}, {4096, 300}}) {
        const std::vector<PovRayJob> passes = povrayPreviewPasses(w, h);
        ASSERT_EQ(passes.size(), 2u);
        const PovRayJob& quick = passes[0];
        const PovRayJob& full = passes[1];
        EXPECT_TRUE(quick.quick);
        EXPECT_FALSE(full.quick);
        EXPECT_EQ(full.width, w);
        EXPECT_EQ(full.height, h);
        // The quick pass is at most a third of the size and never much more than 160 by 120,
        // in the panel's proportions.
        EXPECT_LE(quick.width * 3, w);
        EXPECT_LE(quick.width * quick.height, 19200) << w << "x" << h;
        EXPECT_NEAR(double(quick.width) / quick.height, double(w) / h, 0.1 * w / h);
        EXPECT_TRUE(has(quick, "-A"));
        EXPECT_TRUE(has(quick, "+Q3"));
    }
    // A small picture shows every stair step and costs little: finer antialiasing; a large one
    // hides them at a lower depth.
    EXPECT_TRUE(has(povrayPreviewPasses(240, 180)[1], "+A0.1"));
    EXPECT_TRUE(has(povrayPreviewPasses(240, 180)[1], "+R3"));
    EXPECT_TRUE(has(povrayPreviewPasses(640, 480)[1], "+A0.3"));
    EXPECT_TRUE(has(povrayPreviewPasses(640, 480)[1], "+R3"));
    EXPECT_TRUE(has(povrayPreviewPasses(1920, 1080)[1], "+A0.3"));
    EXPECT_TRUE(has(povrayPreviewPasses(1920, 1080)[1], "+R2"));
    // Nothing below one pixel, even for a sliver of a panel.
    const std::vector<PovRayJob> sliver = povrayPreviewPasses(2, 4000);
    EXPECT_GE(sliver[0].width, 1);
    EXPECT_GE(sliver[0].height, 1);
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
    // POV-Ray wraps a message at 80 columns: before the line number, or inside the text.
    EXPECT_EQ(povrayFailure("File '/tmp/a_rather_long_directory_name_to_force_wrapping/s.pov'\n"
                            " line 3: Parse Error: Incorrect point in lathe.\n"
                            "Fatal error in parser: Cannot parse input.\nRender failed\n"),
              "File '/tmp/a_rather_long_directory_name_to_force_wrapping/s.pov' line 3: Parse "
              "Error: Incorrect point in lathe.");
    EXPECT_EQ(povrayWarnings("==== [Parsing...] =====\n"
                             "File '/tmp/plumex-render-kKZ6PI/preview.pov' line 28: Parse Warning: "
                             "Prism not\nclosed. Ignoring it.\n"
                             "File 'b.pov' line 2: Parse Warning: Another.\n"
                             "-----\nParser Statistics\n-----\nFinite Objects: 1\n"),
              (std::vector<std::string>{"File '/tmp/plumex-render-kKZ6PI/preview.pov' line 28: "
                                        "Parse Warning: Prism not closed. Ignoring it.",
                                        "File 'b.pov' line 2: Parse Warning: Another."}));
    EXPECT_EQ(povrayProgress("Parsing 10K tokens"), -1);
    EXPECT_EQ(povrayProgress("(%)"), -1);
}

} // namespace
