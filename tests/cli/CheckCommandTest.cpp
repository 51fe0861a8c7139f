// plumex-cli check through the built binary: exit codes, the text and the JSON of findings.

#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace plumex;
using plumex::testing::polyline;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plumex_check_cli_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout"),
                slurp(dir / "stderr")};
    }
    void save(const std::string& name, const std::vector<TCvLine>& lines) {
        writeFileAtomically((dir / name).string(), writeDocument(lines, {}));
    }

    fs::path dir;
};

TEST_F(CheckCommand, ExitsOneOnlyWhenPovRayWouldRefuse) {
    TCvLine open = polyline({{1, 0}, {2, 1}, {1, 2}});
    open.name = "Profile";
    save("profile.plx", {open});
    CliRun r = cli("check profile.plx");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "refuse: path 1 \"Profile\", anchor 3: the path is open; POV-Ray leaves an "
                     "open prism out (\"Prism not closed. Ignoring it.\"); close it\n");
    r = cli("check profile.plx --form lathe");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "No findings\n");
    // Warnings and hints alone do not fail.
    save("doubled.plx", {polyline({{0, 0}, {2, 0}, {2, 0}, {1, 2}}, true)});
    r = cli("check doubled.plx --form array");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("warn: path 1, anchor 2: ", 0), 0u) << r.out;
}

TEST_F(CheckCommand, JsonListsEveryFindingWithCounts) {
    save("two.plx", {polyline({{0, 0}}), polyline({{0, 0}, {2, 0}, {2, 0}, {1, 2}}, true)});
    const CliRun r = cli("check two.plx --json --accuracy 3");
    EXPECT_EQ(r.code, 1);
    const auto doc = nlohmann::json::parse(r.out);
    ASSERT_EQ(doc["findings"].size(), 2u);
    EXPECT_EQ(doc["findings"][0]["rule"], "single-anchor");
    EXPECT_EQ(doc["findings"][0]["severity"], "refuse");
    EXPECT_EQ(doc["findings"][1]["path"], 2);
    EXPECT_EQ(doc["findings"][1]["anchor"], 2);
    EXPECT_EQ(doc["refuse"], 1);
    EXPECT_EQ(doc["warn"], 1);
    EXPECT_EQ(doc["hint"], 0);
}

TEST_F(CheckCommand, OptionsReachTheCheck) {
    save("round.plx",
         {plumex::testing::curve({{{0, 0}, {0, -1}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}}, true)});
    EXPECT_EQ(cli("check round.plx --form array --line-form polyline --divide 0").code, 1);
    EXPECT_EQ(cli("check round.plx --form array --line-form polyline --divide 2").code, 0);
    EXPECT_EQ(cli("check round.plx --form sphere-sweep --radius 0.2").code, 0);
    const auto flatTube = cli("check round.plx --form sphere-sweep --radius 0 --spline cubic");
    EXPECT_EQ(flatTube.code, 1);
    EXPECT_NE(flatTube.out.find("refuse: path 1: the radius 0 "), std::string::npos)
        << flatTube.out;
    const auto flatCone = cli("check round.plx --form conic-prism --bottom 2 --top 2 --apex 1,0");
    EXPECT_EQ(flatCone.code, 0);
    EXPECT_NE(flatCone.out.find("warn: path 1: Bottom and Top are both 2"), std::string::npos)
        << flatCone.out;
    EXPECT_EQ(cli("check round.plx --form sor").code, 1); // the second anchor is not higher
    EXPECT_EQ(cli("check round.plx --form cone").code, 2);
    EXPECT_EQ(cli("check round.plx --divide many").code, 2);
    EXPECT_EQ(cli("check").code, 2);
    EXPECT_EQ(cli("check --help").out.rfind("Usage: plumex-cli check", 0), 0u);
    EXPECT_EQ(cli("check missing.plx").code, 1);
}

} // namespace
