// plumex-cli text through the built binary.

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

class TextCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_text_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Exit code; standard error is kept in `err`.
    int cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' text " + args +
                                " >/dev/null 2>stderr";
        const int status = std::system(cmd.c_str());
        std::ifstream in(dir / "stderr");
        std::stringstream ss;
        ss << in.rdbuf();
        err = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<TCvLine> paths(const std::string& name) {
        return readDocument(readFileBytes((dir / name).string())).lines;
    }

    fs::path dir;
    std::string err;
};

} // namespace

TEST_F(TextCommandTest, WritesTheOutlinesWithOrWithoutHoles) {
    ASSERT_EQ(cli("O --font 'DejaVu Sans' --size 2 -o o.plx"), 0) << err;
    EXPECT_NE(err.find("DejaVu Sans"), std::string::npos);
    const std::vector<TCvLine> holes = paths("o.plx");
    ASSERT_EQ(holes.size(), 1u);
    const TCvRect r = holes[0].GetBounds();
    // DejaVu's "O" spans 1549 of 2048 units: at 133.3 pixels per em and k = 2 / 100, 2.017.
    EXPECT_NEAR(r.top - r.bottom, 1549 * (400.0 / 3) / 2048 * 0.02, 1e-3);
    ASSERT_EQ(cli("O --font 'DejaVu Sans' --no-holes -o o.plx"), 0) << err;
    EXPECT_EQ(paths("o.plx").size(), 2u);
}

TEST_F(TextCommandTest, NamesTheFamilyThatStandsIn) {
    ASSERT_EQ(cli("A --font 'No Such Family' --style bold -o a.plx"), 0) << err;
    EXPECT_NE(err.find("\"No Such Family\" is not installed"), std::string::npos) << err;
    ASSERT_EQ(cli("A --font 'DejaVu Math TeX Gyre' --style bold -o a.plx"), 0) << err;
    EXPECT_NE(err.find("(bold drawn)"), std::string::npos) << err;
}

TEST_F(TextCommandTest, AppendsToADocumentAndKeepsItsPaths) {
    const TCvLine square = plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}}, true);
    writeFileAtomically((dir / "d.plx").string(), writeDocument({square}, {}));
    ASSERT_EQ(cli("I --font 'DejaVu Sans' --append-to d.plx -o d.plx"), 0) << err;
    const std::vector<TCvLine> lines = paths("d.plx");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], square);
}

TEST_F(TextCommandTest, FailuresLeaveTheOutputAlone) {
    ASSERT_EQ(cli("I --font 'DejaVu Sans' -o out.plx"), 0) << err;
    const std::vector<std::uint8_t> before = readFileBytes((dir / "out.plx").string());
    std::ofstream(dir / "bad.ttf") << "not a font";
    EXPECT_EQ(cli("I --font-file bad.ttf -o out.plx"), 1);
    EXPECT_NE(err.find("Not a font file"), std::string::npos) << err;
    EXPECT_EQ(cli("' ' --font 'DejaVu Sans' -o out.plx"), 1);
    EXPECT_EQ(cli("I --font X --font-file bad.ttf -o out.plx"), 2);
    EXPECT_EQ(cli("I --font X --size 0 -o out.plx"), 2);
    EXPECT_EQ(cli("I --font X --style heavy -o out.plx"), 2);
    EXPECT_EQ(readFileBytes((dir / "out.plx").string()), before);
}

// The dialog's limit: stated in the help, named when refused, and the limit itself is taken.
TEST_F(TextCommandTest, SizeLimitIsStatedAndNamedWhenRefused) {
    const std::string help = (dir / "help.txt").string();
    ASSERT_EQ(
        std::system(("'" PLUMEX_BUILD_DIR "/cli/plumex-cli' text --help >'" + help + "'").c_str()),
        0);
    std::ifstream in(help);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("at most 1000000000"), std::string::npos) << text.str();
    EXPECT_EQ(cli("I --font 'DejaVu Sans' --size 1000000001 -o o.plx"), 2);
    EXPECT_NE(err.find("at most 1000000000"), std::string::npos) << err;
    EXPECT_EQ(cli("I --font 'DejaVu Sans' --size 1e9 -o o.plx"), 0) << err;
    EXPECT_GT(paths("o.plx")[0].GetBounds().top, 1e8);
}
