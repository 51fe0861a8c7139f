// plumex-cli svg2plx and svg through the built binary.

#include "export/SvgExport.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

class SvgCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_svgcli_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Exit code of the command run in `dir`; its standard error lands in `err`.
    int cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        std::ifstream in(dir / "stderr");
        std::stringstream ss;
        ss << in.rdbuf();
        err = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    DocumentContent read(const std::string& name) {
        return readDocument(readFileBytes((dir / name).string()));
    }

    fs::path dir;
    std::string err;
};

TEST_F(SvgCliTest, Svg2PlxMakesHolesUnlessToldNot) {
    write("o.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path fill-rule=\"evenodd\" "
                   "d=\"M0 0H300V300H0Z M100 100H200V200H100Z\"/><circle cx=\"0\" cy=\"0\" "
                   "r=\"50\"/></svg>");
    ASSERT_EQ(cli("svg2plx o.svg -o o.plx"), 0) << err;
    const DocumentContent holes = read("o.plx");
    ASSERT_EQ(holes.lines.size(), 2u);
    EXPECT_EQ(holes.lines[0].count(), 10);
    EXPECT_EQ(holes.lines[1].count(), 4);
    EXPECT_EQ(holes.lines[0].points[2].anchor, (TCvCoord{3, -3}));
    ASSERT_EQ(cli("svg2plx o.svg -o apart.plx --no-holes"), 0) << err;
    EXPECT_EQ(read("apart.plx").lines.size(), 3u);
    write("f.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect fill=\"none\" stroke=\"red\" "
                   "width=\"9\" height=\"9\"/><circle r=\"5\"/></svg>");
    ASSERT_EQ(cli("svg2plx f.svg -o all.plx"), 0) << err;
    EXPECT_EQ(read("all.plx").lines.size(), 2u);
    ASSERT_EQ(cli("svg2plx f.svg -o filled.plx --filled-only"), 0) << err;
    ASSERT_EQ(read("filled.plx").lines.size(), 1u);
    EXPECT_EQ(read("filled.plx").lines[0].count(), 4);
}

TEST_F(SvgCliTest, SvgWritesEveryPathAndReadsBack) {
    const TCvLine square = plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}}, true);
    const TCvLine arc =
        plumex::testing::curve({{{0, 0}, {0, 0}, {0, 1}}, {{2, 0}, {2, 1}, {2, 0}}});
    writeFileAtomically((dir / "d.plx").string(), writeDocument({square, arc}, {}));
    ASSERT_EQ(cli("svg d.plx -o d.svg"), 0) << err;
    std::ifstream in(dir / "d.svg");
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_NE(ss.str().find(SvgPathData(arc)), std::string::npos);
    ASSERT_EQ(cli("svg d.plx > piped.svg"), 0) << err;
    ASSERT_EQ(cli("svg2plx d.svg -o back.plx"), 0) << err;
    const DocumentContent back = read("back.plx");
    ASSERT_EQ(back.lines.size(), 2u);
    EXPECT_TRUE(back.lines[0] == square);
    EXPECT_EQ(back.lines[1].points[0].outHandle, (TCvCoord{0, 1}));
}

TEST_F(SvgCliTest, RefusalsKeepTheOutputFileAndSayWhy) {
    write("keep.plx", "old");
    write("bad.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0 L1\"");
    EXPECT_EQ(cli("svg2plx bad.svg -o keep.plx"), 1);
    EXPECT_NE(err.find("Not a well-formed SVG file"), std::string::npos) << err;
    write("empty.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><g/></svg>");
    EXPECT_EQ(cli("svg2plx empty.svg -o keep.plx"), 1);
    EXPECT_NE(err.find("No shapes"), std::string::npos) << err;
    std::ifstream in(dir / "keep.plx");
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "old");
    EXPECT_EQ(cli("svg2plx empty.svg"), 2);
    EXPECT_EQ(cli("svg keep.plx -o x.svg"), 1);
    EXPECT_FALSE(fs::exists(dir / "x.svg"));
}

} // namespace
