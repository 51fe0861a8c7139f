// plumex-cli ai and bmp through the built binary.

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

class ExportCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plumex_export_cli_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        DocumentSettings settings;
        settings.scale = 50;
        writeFileAtomically(
            (dir / "square.plx").string(),
            writeDocument({plumex::testing::polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true)},
                          settings));
    }
    void TearDown() override { fs::remove_all(dir); }

    // Exit code and standard error.
    std::pair<int, std::string> cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, file("stderr")};
    }
    std::string file(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path dir;
};

TEST_F(ExportCli, IllustratorUsesTheStoredScaleOrTheGivenOne) {
    ASSERT_EQ(cli("ai square.plx -o out.ai").first, 0);
    EXPECT_NE(file("out.ai").find("%%BoundingBox: 9 9 61 61\r\n"), std::string::npos);
    EXPECT_NE(file("out.ai").find("%%Title: (out.ai)\r\n"), std::string::npos);
    ASSERT_EQ(cli("ai square.plx -o out.ai --scale 100").first, 0);
    EXPECT_NE(file("out.ai").find("%%BoundingBox: 9 9 111 111\r\n"), std::string::npos);

    for (const char* args :
         {"ai square.plx", "ai -o x.ai", "ai square.plx -o x.ai --scale 0",
          "ai square.plx -o x.ai --scale 1e999", "ai square.plx -o x.ai --scale ,5"}) {
        const auto [code, err] = cli(args);
        EXPECT_EQ(code, 2) << args;
        EXPECT_NE(err.find("--help"), std::string::npos) << args << ": " << err;
    }
    // A refused export keeps the previous file.
    const auto [code, err] = cli("ai square.plx -o out.ai --scale 1e300");
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.find("too large"), std::string::npos) << err;
    EXPECT_NE(file("out.ai").find("%%BoundingBox: 9 9 111 111\r\n"), std::string::npos);
    EXPECT_EQ(cli("ai missing.plx -o x.ai").first, 1);
    EXPECT_FALSE(fs::exists(dir / "x.ai"));
}

// The pixels as the file stores them, read by Pillow and by ImageMagick: both must agree
// with the picture the export means (the square black, the margin white).
TEST_F(ExportCli, BitmapsReadBackByPillowAndImageMagick) {
    if (std::system("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1 && command -v convert "
                    ">/dev/null") != 0)
        GTEST_SKIP() << "python3-pil or imagemagick is not installed";
    for (const std::string mode : {"", " --mono"}) {
        SCOPED_TRACE(mode);
        // Scale 50 at margin 7: a 64 x 64 picture whose 1-bit rows need padding.
        ASSERT_EQ(cli("bmp square.plx -o out.bmp --scale 50 --margin 7" + mode).first, 0);
        ASSERT_EQ(std::system(("cd '" + dir.string() +
                               "' && /usr/bin/python3 '" PLUMEX_TEST_DATA
                               "/export/pillow_raw.py' out.bmp pil.raw >pil.txt && convert "
                               "out.bmp -depth 8 gray:magick.raw")
                                  .c_str()),
                  0);
        EXPECT_EQ(file("pil.txt"), (mode.empty() ? "L 64 64\n" : "1 64 64\n"));
        const std::string pil = file("pil.raw"), magick = file("magick.raw");
        ASSERT_EQ(pil.size(), 64u * 64u);
        EXPECT_EQ(pil, magick);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool inside = x >= 7 && x < 57 && y >= 7 && y < 57;
                ASSERT_EQ(static_cast<unsigned char>(pil[static_cast<std::size_t>(y * 64 + x)]),
                          inside ? 0 : 255)
                    << x << "," << y;
            }
    }
}

TEST_F(ExportCli, BitmapOptionsAndRefusals) {
    ASSERT_EQ(cli("bmp square.plx -o out.bmp").first, 0);
    EXPECT_EQ(file("out.bmp").size(), 15478u); // 120 x 120 at the default scale 100
    for (const char* args : {"bmp square.plx", "bmp square.plx -o x.bmp --margin -1",
                             "bmp square.plx -o x.bmp --scale -2", "bmp square.plx -o x --gray"}) {
        const auto [code, err] = cli(args);
        EXPECT_EQ(code, 2) << args;
        EXPECT_NE(err.find("--help"), std::string::npos) << args << ": " << err;
    }
    const auto [code, err] = cli("bmp square.plx -o out.bmp --scale 1e6");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err, "Could not create a Bitmap! Size may be Too large.\n");
    EXPECT_EQ(file("out.bmp").size(), 15478u);
}

} // namespace

TEST_F(ExportCli, MeshRefusesWhatItCannotWriteAndKeepsThePreviousFile) {
    ASSERT_EQ(cli("mesh square.plx -o out.stl").first, 0);
    EXPECT_EQ(file("stdout"), "12 triangles, 8 vertices\n");
    const std::string stl = file("out.stl");
    EXPECT_EQ(stl.size(), 84u + 12 * 50);
    for (const char* args :
         {"mesh square.plx", "mesh square.plx -o out.ply", "mesh square.plx -o x.stl --form cone",
          "mesh square.plx -o x.stl --segments 8", "mesh square.plx -o x.stl --height 0",
          "mesh square.plx -o x.obj --form lathe --segments 2",
          "mesh square.plx -o x.obj --form lathe --height 2"}) {
        const auto [code, err] = cli(args);
        EXPECT_EQ(code, 2) << args;
        EXPECT_NE(err.find("--help"), std::string::npos) << args << ": " << err;
    }
    EXPECT_FALSE(fs::exists(dir / "x.stl"));
    // A line bounds nothing: refused, and the previous file stays.
    writeFileAtomically((dir / "line.plx").string(),
                        writeDocument({plumex::testing::polyline({{0, 0}, {1, 1}})}, {}));
    const auto [code, err] = cli("mesh line.plx -o out.stl");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err, "Nothing to export\n");
    EXPECT_EQ(file("out.stl"), stl);
}
