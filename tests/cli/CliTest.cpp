// plumex-cli through the built binary: exit codes, messages, JSON read back, round trips.

#include "app/Version.h"
#include "export/PovExport.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "model/ViewFit.h"
#include "testing.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

struct CliResult {
    int code = -1;
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plumex_cli_" + std::to_string(::getpid()) + "_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliResult cli(const std::string& args, const std::string& input = "") {
        std::ofstream(dir / "stdin", std::ios::binary) << input;
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args +
                                " <stdin >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout"),
                slurp(dir / "stderr")};
    }

    void save(const std::string& name, const std::vector<TCvLine>& lines,
              const DocumentSettings& settings = {}) {
        writeFileAtomically((dir / name).string(), writeDocument(lines, settings));
    }

    fs::path dir;
};

TEST_F(CliTest, UsageErrorsAndHelp) {
    EXPECT_EQ(cli("").code, 2);
    for (const char* args :
         {"frobnicate", "info", "info a.plx b.plx", "pov x.plx --form cone",
          "pov x.plx --axis left", "pov x.plx --form array --direct", "pov x.plx --accuracy ten",
          "pov x.plx -o", "spline2plx in.txt", "pov x.plx --direct --local N",
          "pov x.plx --radius 1", "pov x.plx --form sor --apex 1,2",
          "pov x.plx --form conic-prism --apex 1", "pov x.plx --form sphere-sweep --tolerance 0",
          "pov x.plx --form sphere-sweep --spline bezier", "render x.plx -o x.png --form array"}) {
        const CliResult r = cli(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << args << ": " << r.err;
    }
    for (const char* args : {"--help", "info --help", "pov --help", "spline2plx x -o y --help"}) {
        const CliResult r = cli(args);
        EXPECT_EQ(r.code, 0) << args;
        EXPECT_EQ(r.out.rfind("Usage: plumex-cli", 0), 0u) << args;
    }
}

// The version printed is the one the build sets, in three numbers.
TEST_F(CliTest, VersionIsTheBuildsVersion) {
    const CliResult r = cli("--version");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("plumex-cli ") + Version + "\n");
    EXPECT_TRUE(std::regex_match(Version, std::regex(R"(\d+\.\d+\.\d+)"))) << Version;
    EXPECT_TRUE(r.err.empty());
}

TEST_F(CliTest, RefusedInputGivesTheProgramsMessage) {
    std::ofstream(dir / "text.plx") << "just some text, not a drawing";
    CliResult r = cli("info text.plx");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Not a Plumex File\n");
    r = cli("spline2plx - -o out.plx", "bezier_spline <0,0><x,1><2,1><3,0>");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "ReadPoint::ReadError\n");
    EXPECT_FALSE(fs::exists(dir / "out.plx"));
    // Nothing to export: the previous file is not touched.
    save("empty.plx", {TCvLine{}, plumex::testing::polyline({{1, 1}})});
    std::ofstream(dir / "old.inc") << "keep me";
    r = cli("pov empty.plx --form array -o old.inc");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Nothing to export\n");
    EXPECT_EQ(slurp(dir / "old.inc"), "keep me");
    EXPECT_EQ(cli("pov empty.plx --paths 2").code, 2);
}

// Into a file the paths are formatted while the document is read: whatever the document and
// the options, the file holds what standard output gets, and a refusal leaves it as it was.
TEST_F(CliTest, PovIntoAFileMatchesStandardOutput) {
    std::mt19937_64 rng(9);
    std::uniform_real_distribution<double> coord(-100, 100);
    auto pt = [&] { return TCvCoord{coord(rng), coord(rng)}; };
    std::vector<TCvLine> lines(9);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        for (std::size_t k = 0; k < 2 + 5 * i; ++k) lines[i].points.emplace_back(pt(), pt(), pt());
    save("good.plx", lines);
    const std::vector<std::uint8_t> bytes = writeDocument(lines, {});
    writeFileAtomically((dir / "trailer.plx").string(), std::span(bytes.data(), bytes.size() - 3));
    writeFileAtomically((dir / "middle.plx").string(), std::span(bytes.data(), bytes.size() / 2));
    for (const char* file : {"good.plx", "trailer.plx", "middle.plx"}) {
        for (const char* args :
             {"", "--declare Shape", "--paths 0,3,99", "--paths 2,x", "--form array --paths 8",
              "--form lathe --axis left", "--form sor --declare S --paths 1,2", "--accuracy 3"}) {
            const std::string command = std::string("pov ") + file + " " + args;
            std::ofstream(dir / "old.inc") << "keep me";
            const CliResult shown = cli(command);
            const CliResult filed = cli(command + " -o old.inc");
            EXPECT_EQ(filed.code, shown.code) << command;
            EXPECT_EQ(filed.err, shown.err) << command;
            EXPECT_EQ(slurp(dir / "old.inc"),
                      shown.code == 0 ? std::string(PovFileHeader) + shown.out : "keep me")
                << command;
        }
    }
}

TEST_F(CliTest, JsonReadsBackToTheSameValues) {
    TCvLine a = plumex::testing::curve({{{0.1, -0.0}, {1e-300, 2}, {1.0 / 3, 5e300}}}, true);
    a.name = "vase";
    a.locked = 1;
    a.points[0].selected = 1;
    TCvLine b = plumex::testing::polyline({{-7.25, 3}, {4, 1}});
    b.visible = 0;
    DocumentSettings s;
    s.scale = 37.5;
    s.viewCentre = {0.3, -1.7};
    s.verticalGuides = {1.1, 2.2};
    s.draft = {"/pictures/trace me.png", {-4, 9.5}, 0.015};
    save("doc.plx", {a, b}, s);
    const CliResult r = cli("info doc.plx --json");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["version"], 5);
    EXPECT_EQ(j["scale"].get<double>(), 37.5);
    EXPECT_EQ(j["center"][1].get<double>(), -1.7);
    EXPECT_EQ(j["vguides"].get<std::vector<double>>(), s.verticalGuides);
    EXPECT_TRUE(j["hguides"].empty());
    EXPECT_EQ(j["draft"]["file"], s.draft.fileName);
    EXPECT_EQ(j["draft"]["factor"].get<double>(), 0.015);
    const auto& p = j["paths"];
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0]["name"], "vase");
    EXPECT_EQ(p[0]["closed"], true);
    EXPECT_EQ(p[0]["locked"], true);
    EXPECT_EQ(p[1]["visible"], false);
    const auto& anchor = p[0]["anchors"][0];
    EXPECT_EQ(anchor["anchor"][0].get<double>(), 0.1);
    EXPECT_TRUE(std::signbit(anchor["anchor"][1].get<double>()));
    EXPECT_EQ(anchor["in"][0].get<double>(), 1e-300);
    EXPECT_EQ(anchor["out"][0].get<double>(), 1.0 / 3);
    EXPECT_EQ(anchor["out"][1].get<double>(), 5e300);
    EXPECT_EQ(anchor["independent"], a.points[0].independent != 0);
    const CliResult text = cli("info doc.plx");
    EXPECT_NE(text.out.find("paths: 2\nanchors: 3\n"), std::string::npos) << text.out;
}

// The new forms' options reach the text as the dialog's fields would.
TEST_F(CliTest, NewFormsTakeTheDialogsOptions) {
    const std::vector<TCvLine> lines{
        plumex::testing::curve({{{1, 0}, {1, 0}, {2, 0.5}}, {{2, 2}, {1.5, 1.5}, {2, 3}}}),
        plumex::testing::polyline({{0.5, 3}, {1, 4}, {3, 5}}, true)};
    save("in.plx", lines);
    PovDlgState conic;
    conic.apexX = "1.5";
    conic.apexY = "-2";
    conic.bottom = "2";
    conic.top = "4";
    conic.declaration = PovDeclaration::Declare;
    conic.conicName = "Cone";
    PovDlgState sweep;
    sweep.spline = SweepSpline::Cubic;
    sweep.radius = "0.25";
    sweep.accuracy = "4";
    PovDlgState flat = sweep;
    flat.spline = SweepSpline::Linear;
    flat.tolerance = "0.01";
    PovDlgState sor;
    sor.axis = LatheAxis::RightOfSelection;
    sor.modifiers = "";
    const std::tuple<const char*, PovMode, PovDlgState> cases[] = {
        {"--form conic-prism --apex 1.5,-2 --bottom 2 --top 4 --declare Cone", PovMode::ConicPrism,
         conic},
        {"--form sphere-sweep --spline cubic --radius 0.25 --accuracy 4", PovMode::SphereSweep,
         sweep},
        {"--form sphere-sweep --radius 0.25 --accuracy 4 --tolerance 0.01", PovMode::SphereSweep,
         flat},
        {"--form sor --axis right --modifiers \"\" --paths 0", PovMode::Sor, sor}};
    for (const auto& [args, mode, dlg] : cases) {
        const CliResult r = cli(std::string("pov in.plx ") + args);
        ASSERT_EQ(r.code, 0) << args << ": " << r.err;
        const std::vector<TCvLine> chosen =
            mode == PovMode::Sor ? std::vector<TCvLine>{lines[0]} : lines;
        EXPECT_EQ(r.out, PovExportText(chosen, mode, dlg, {})) << args;
    }
    // The sphere sweep's tolerance makes a difference the text shows.
    EXPECT_NE(cli("pov in.plx --form sphere-sweep --tolerance 0.001").out,
              cli("pov in.plx --form sphere-sweep --tolerance 0.1").out);
}

// pov then spline2plx gives back the same anchors and segment handles.
TEST_F(CliTest, ExportedTextComesBackAsPaths) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> coord(-100, 100);
    auto pt = [&] { return TCvCoord{coord(rng), coord(rng)}; };
    std::vector<TCvLine> lines(6);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t k = 0; k < 3 + i; ++k) lines[i].points.emplace_back(pt(), pt(), pt());
        lines[i].closed = i % 2;
    }
    save("in.plx", lines);
    CliResult r = cli("pov in.plx --declare Shape -o out.inc");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(slurp(dir / "out.inc").rfind("// Exported from Plumex\r\n\r\n#declare Shape1 = ", 0),
              0u);
    EXPECT_EQ(cli("pov in.plx --declare Shape").out,
              slurp(dir / "out.inc").substr(std::string("// Exported from Plumex\r\n\r\n").size()));
    r = cli("spline2plx out.inc -o back.plx");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto back = readDocument(readFileBytes((dir / "back.plx").string())).lines;
    ASSERT_EQ(back.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(back[i].closed, lines[i].closed);
        ASSERT_EQ(back[i].count(), lines[i].count());
        for (int k = 0; k < lines[i].segmentCount(); ++k) {
            const Segment x = lines[i].segment(k), y = back[i].segment(k);
            for (auto [p, q] : {std::pair{x.a, y.a}, {x.h1, y.h1}, {x.h2, y.h2}, {x.b, y.b}})
                EXPECT_TRUE(plumex::testing::coordNear(p, q, 1e-13));
        }
    }
}

// The written document opens on its whole drawing: centred, as wide as the default view allows.
TEST_F(CliTest, Spline2PlxStoresAViewOfTheWholeDrawing) {
    const std::string wide = "<0,0><0,0><40,0><40,0> <40,0><40,0><40,-10><40,-10> "
                             "<40,-10><40,-10><0,-10><0,-10> <0,-10><0,-10><0,0><0,0>";
    const CliResult r = cli("spline2plx - -o out.plx", "bezier_spline {16, " + wide + "}");
    ASSERT_EQ(r.code, 0) << r.err;
    const DocumentSettings s = readDocument(readFileBytes((dir / "out.plx").string())).settings;
    EXPECT_EQ(s.viewCentre, (TCvCoord{20, -5}));
    EXPECT_DOUBLE_EQ(s.scale * 40, DefaultViewWidth - FitMargin);
    EXPECT_LE(s.scale * 10, DefaultViewHeight - FitMargin);
}

TEST_F(CliTest, MakeHoleMergesTheCounterIntoTheOutline) {
    const std::string square = "<0,0><0,0><4,0><4,0> <4,0><4,0><4,4><4,4> "
                               "<4,4><4,4><0,4><0,4> <0,4><0,4><0,0><0,0>";
    const std::string inner = "<1,1><1,1><2,1><2,1> <2,1><2,1><2,2><2,2> <2,2><2,2><1,1><1,1>";
    const std::string text = "bezier_spline " + square + " " + inner + "}";
    ASSERT_EQ(cli("spline2plx - -o two.plx", text).code, 0);
    ASSERT_EQ(cli("spline2plx - -o one.plx --make-hole", text).code, 0);
    EXPECT_NE(cli("info two.plx").out.find("paths: 2\n"), std::string::npos);
    const CliResult one = cli("info one.plx");
    EXPECT_NE(one.out.find("paths: 1\n"), std::string::npos) << one.out;
}

} // namespace
