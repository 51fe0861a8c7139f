// plumex-cli boolean through the built binary.

#include "model/Document.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <cmath>
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

class BooleanCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_boolean_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' boolean " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        out = read("stdout");
        err = read("stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir / name);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void write(const std::string& name, std::vector<TCvLine> lines) {
        TCvDocument doc;
        doc.Lines = std::move(lines);
        ASSERT_TRUE(doc.SaveToFile((dir / name).string()));
    }
    std::vector<TCvLine> paths(const std::string& name) {
        return readDocument(readFileBytes((dir / name).string())).lines;
    }

    fs::path dir;
    std::string out, err;
};

TCvLine square(double x, double y, double side) {
    return polyline({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}, true);
}

// Shoelace area of straight closed paths: holes merged in run the other way and subtract.
double area(const std::vector<TCvLine>& lines) {
    double sum = 0;
    for (const TCvLine& l : lines) {
        if (!l.closed) continue;
        double twice = 0;
        for (std::size_t i = 0; i < l.points.size(); ++i) {
            const TCvCoord a = l.points[i].anchor, b = l.points[(i + 1) % l.points.size()].anchor;
            twice += a.x * b.y - b.x * a.y;
        }
        sum += std::abs(twice) / 2;
    }
    return sum;
}

} // namespace

// Two overlapping squares of side 2 (overlap 1) and an open path: each operation's area,
// the open path kept and reported, the first path's name on the result.
TEST_F(BooleanCliTest, EachOperationOnTwoSquares) {
    TCvLine bottom = square(0, 0, 2);
    bottom.name = "plate";
    write("in.plx", {bottom, square(1, 1, 2), polyline({{5, 5}, {6, 6}})});
    for (auto [op, expected, pieces] : {std::tuple{"union", 7.0, 1u},
                                        {"difference", 3.0, 1u},
                                        {"intersection", 1.0, 1u},
                                        {"exclusion", 6.0, 2u},
                                        {"division", 4.0, 2u}}) {
        ASSERT_EQ(cli(std::string(op) + " in.plx -o out.plx"), 0) << op << err;
        const std::vector<TCvLine> got = paths("out.plx");
        ASSERT_EQ(got.size(), pieces + 1) << op;
        EXPECT_EQ(got[0].name, "plate") << op;
        EXPECT_FALSE(got.back().closed) << op;
        EXPECT_NEAR(area(got), expected, 1e-12) << op;
        EXPECT_NE(out.find("1 open path"), std::string::npos) << op;
    }
}

TEST_F(BooleanCliTest, RefusesBadRequestsAndKeepsTheOutput) {
    write("one.plx", {square(0, 0, 1)});
    write("out.plx", {square(7, 7, 1)});
    EXPECT_NE(cli("union one.plx -o out.plx"), 0); // one plain square: nothing to do
    EXPECT_NE(err.find("closed paths"), std::string::npos) << err;
    EXPECT_NE(cli("merge one.plx -o out.plx"), 0);
    EXPECT_NE(cli("union one.plx"), 0);
    ASSERT_EQ(paths("out.plx").size(), 1u);
    EXPECT_EQ(paths("out.plx")[0].points[0].anchor, (TCvCoord{7, 7}));
}
