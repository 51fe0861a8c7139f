// plumex-cli render through the built binary and the real povray: pictures of the examples
// against reference pictures, failures with POV-Ray's message and the findings.

#include "../export/PovRayRunner.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

using namespace plumex;
using namespace plumex::testing;
namespace fs = std::filesystem;

namespace {

const fs::path Data = fs::path(PLUMEX_TEST_DATA) / "export";
const fs::path Examples = fs::path(PLUMEX_TEST_DATA) / ".." / ".." / "examples";

class RenderCommand : public ::testing::Test {
protected:
    struct Result {
        int code = -1;
        std::string err;
    };
    Result cli(const std::string& args, const std::string& env = "") {
        const std::string cmd = "cd '" + dir.path().string() + "' && " + env + " '" +
                                PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args + " 2>stderr";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurpFile(dir.path() / "stderr")};
    }
    PovRayRun picture(const std::string& name) {
        PovRayRun run;
        readPpm(slurpFile(dir.path() / name), run);
        return run;
    }
    ScratchDir dir{"plumex_render_cli_"};
};

// Mean difference per channel and the share of pixels off by more than a fifth of the range:
// antialiasing and rounding move a few pixels, a moved camera or a lost object moves many.
::testing::AssertionResult similar(const PovRayRun& a, const PovRayRun& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty())
        return ::testing::AssertionFailure()
               << "sizes " << a.width << "x" << a.height << " and " << b.width << "x" << b.height;
    double sum = 0;
    int off = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const int d = std::abs(static_cast<unsigned char>(a.rgb[i + c]) -
                                   static_cast<unsigned char>(b.rgb[i + c]));
            sum += d;
            worst = std::max(worst, d);
        }
        off += worst > 50;
    }
    const double mean = sum / static_cast<double>(a.rgb.size());
    const double share = off / (a.rgb.size() / 3.0);
    if (mean < 3 && share < 0.02) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "mean difference " << mean << ", " << share * 100 << "% of pixels far off";
}

TEST_F(RenderCommand, ExamplesLookLikeTheirReferencePictures) {
    const std::pair<const char*, const char*> cases[] = {
        {"letter_p.plx --form prism", "render_letter_p_prism.ppm"},
        {"goblet.plx --form lathe", "render_goblet_lathe.ppm"},
        {"letter_p.plx --form conic-prism", "render_letter_p_conic_prism.ppm"},
        {"letter_p.plx --form sphere-sweep", "render_letter_p_sphere_sweep.ppm"},
        {"vase.plx --form sor", "render_vase_sor.ppm"}};
    for (const auto& [args, reference] : cases) {
        const Result r = cli("render '" + Examples.string() + "'/" + args +
                             " --width 96 --height 72 -o out.ppm");
        ASSERT_EQ(r.code, 0) << r.err;
        PovRayRun want;
        readPpm(slurpFile(Data / reference), want);
        EXPECT_TRUE(similar(picture("out.ppm"), want)) << reference;
        // Each form looks like itself only: none passes for the plain prism of the letter.
        PovRayRun prism;
        readPpm(slurpFile(Data / "render_letter_p_prism.ppm"), prism);
        if (std::string_view(reference) != "render_letter_p_prism.ppm") {
            EXPECT_FALSE(similar(want, prism)) << reference;
        }
    }
    // POV-Ray drops the goblet's open profile as a prism: the picture comes with the reason.
    const Result open =
        cli("render '" + Examples.string() + "'/goblet.plx --width 96 --height 72 -o prism.ppm");
    ASSERT_EQ(open.code, 0) << open.err;
    EXPECT_NE(open.err.find("Prism not closed. Ignoring it."), std::string::npos) << open.err;
    EXPECT_NE(open.err.find("refuse: path 1, anchor 5: "), std::string::npos) << open.err;
    PovRayRun lathe;
    readPpm(slurpFile(Data / "render_goblet_lathe.ppm"), lathe);
    EXPECT_FALSE(similar(picture("prism.ppm"), lathe)); // the comparison can tell them apart
    const Result png = cli("render '" + Examples.string() +
                           "'/letter_p.plx -o p.png --width 32 "
                           "--height 24 --quick");
    EXPECT_EQ(png.code, 0) << png.err;
    EXPECT_EQ(slurpFile(dir.path() / "p.png").substr(1, 3), "PNG");
}

TEST_F(RenderCommand, FailuresBringPovRaysMessageAndTheFindings) {
    writeFileAtomically((dir.path() / "huge.plx").string(),
                        writeDocument({polyline({{0, 0}, {1e256, 0}, {0, 1}}, true)}, {}));
    std::ofstream(dir.path() / "out.png") << "previous";
    const Result r = cli("render huge.plx -o out.png --width 16 --height 12");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("POV-Ray failed: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("String too long"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("refuse: path 1, anchor 2: "), std::string::npos) << r.err;
    EXPECT_EQ(slurpFile(dir.path() / "out.png"), "previous");
    // Without povray on the path the message says how to get it.
    const Result missing = cli(
        "render '" + Examples.string() + "'/goblet.plx --form lathe -o g.png", "PATH=/nonexistent");
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("apt-get install povray"), std::string::npos) << missing.err;
    writeFileAtomically((dir.path() / "empty.plx").string(), writeDocument({TCvLine{}}, {}));
    EXPECT_EQ(cli("render empty.plx -o e.png").err, "Nothing to export\n");
    EXPECT_EQ(cli("render empty.plx -o e.png --form array").code, 2);
    EXPECT_EQ(cli("render empty.plx -o e.png --width 0").code, 2);
    EXPECT_EQ(cli("render empty.plx").code, 2);
}

} // namespace
