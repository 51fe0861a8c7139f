// plumex-cli picture through the built binary: sizes, messages, the BMP it writes.

#include "raster/BmpReader.h"
#include "raster/Fade.h"
#include "raster/PictureLoader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PictureCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_picture_cli_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' picture " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout"),
                slurp(dir / "stderr")};
    }

    fs::path dir;
};

TEST_F(PictureCli, PrintsTheSizeAndWritesTheSamePixels) {
    const std::string png = PLUMEX_TEST_DATA "/png/t6d16i.png";
    const CliRun plain = cli("'" + png + "' -o out.bmp");
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(plain.out, "37 x 29\n");
    const std::string bytes = slurp(dir / "out.bmp");
    const RasterImage written = readBmp(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    const RasterImage decoded = loadPicture(png);
    EXPECT_EQ(written.pixels, decoded.pixels);

    ASSERT_EQ(cli("'" + png + "' --faded -o faded.bmp").code, 0);
    const std::string faded = slurp(dir / "faded.bmp");
    EXPECT_EQ(readBmp(std::vector<uint8_t>(faded.begin(), faded.end())).pixels,
              fadedCopy(decoded).pixels);
}

TEST_F(PictureCli, ReportsTheReadersMessage) {
    std::ofstream(dir / "bad.png", std::ios::binary) << "GIF89a";
    std::ofstream(dir / "keep.bmp", std::ios::binary) << "old";
    const CliRun bad = cli("bad.png -o keep.bmp");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "Not PNG Image\n");
    EXPECT_EQ(slurp(dir / "keep.bmp"), "old");
    EXPECT_EQ(cli("notes.txt").err, "Unknown picture format\n");
    // A photo cut short, as a broken download leaves it, is refused rather than shown grey.
    const std::string photo = slurp(PLUMEX_TEST_DATA "/picture/baseline.jpg");
    std::ofstream(dir / "cut.jpg", std::ios::binary) << photo.substr(0, photo.size() * 2 / 3);
    const CliRun cut = cli("cut.jpg");
    EXPECT_EQ(cut.code, 1);
    EXPECT_EQ(cut.out, "");
    EXPECT_EQ(cut.err, "JPEG: Premature end of JPEG file\n");
    EXPECT_EQ(cli("").code, 2);
}

} // namespace
