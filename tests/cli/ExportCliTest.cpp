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

} // namespace
