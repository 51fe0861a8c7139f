// POV-Ray itself reads the exported text: every form must parse and render, and a prism seen
// from above must cover exactly the outline's filled area.

#include "export/PovExport.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

const fs::path Examples = fs::path(PLUMEX_TEST_DATA) / ".." / ".." / "examples";

std::vector<TCvLine> example(const std::string& name) {
    return readDocument(readFileBytes((Examples / name).string())).lines;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class PovRayTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plumex_povray_" + std::to_string(::getpid()) + "_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(dir);
    }

    // Renders `scene` headless; fails the test with POV-Ray's messages when it reports an error.
    ::testing::AssertionResult render(const std::string& scene, int w, int h,
                                      const std::string& format = "+FN",
                                      const std::string& image = "image.png") {
        std::ofstream(dir / "scene.pov", std::ios::binary) << scene;
        const std::string cmd = "cd '" + dir.string() + "' && povray +Iscene.pov +Oimage -D -V " +
                                format + " +W" + std::to_string(w) + " +H" + std::to_string(h) +
                                " >povray.log 2>&1";
        const int status = std::system(cmd.c_str());
        const std::string log = slurp(dir / "povray.log");
        if (status != 0 || log.find("Parse Error") != std::string::npos ||
            log.find("not closed") != std::string::npos)
            return ::testing::AssertionFailure() << "povray failed:\n" << log;
        if (!fs::exists(dir / image) || fs::file_size(dir / image) == 0)
            return ::testing::AssertionFailure() << "no image written\n" << log;
        return ::testing::AssertionSuccess();
    }

    fs::path dir;
};

const char* const Lit = R"(
#version 3.7;
global_settings { assumed_gamma 1.0 }
camera { location <1.7, 6, -9> look_at <1.7, 2, 0> }
light_source { <-5, 10, -10> color rgb 1 }
)";

TEST_F(PovRayTest, PrismAndLatheFromExamplesRender) {
    PovDlgState dlg;
    dlg.declaration = PovDeclaration::Declare;
    std::string scene = Lit;
    scene += PovExportText(example("letter_p.plx"), PovMode::Prism, dlg, {});
    scene += PovExportText(example("goblet.plx"), PovMode::Lathe, dlg, {});
    // Several paths, numbered; the lathe measured from the selection's right edge.
    dlg.axis = LatheAxis::RightOfSelection;
    dlg.acceptName(PovMode::Lathe, "Twin");
    std::vector<TCvLine> two = example("goblet.plx");
    two.push_back(two.front());
    two.back().Translate({-3, 0});
    scene += PovExportText(two, PovMode::Lathe, dlg, {});
    scene += "object { Prism rotate -90*x }\nobject { Lathe translate 4*x }\n"
             "object { Twin1 }\nobject { Twin2 }\n";
    EXPECT_TRUE(render(scene, 64, 64));
}

TEST_F(PovRayTest, EveryArrayFormParses) {
    const std::vector<TCvLine> paths = example("letter_p.plx");
    for (LineForm line : {LineForm::AllFour, LineForm::SharedEnds, LineForm::PolyLine}) {
        for (PointForm point : {PointForm::XY, PointForm::XYValue, PointForm::XValueY}) {
            PovArrayDlgState dlg;
            dlg.lineForm = line;
            dlg.pointForm = point;
            dlg.divideCount = "8";
            dlg.value = "0.5";
            std::string scene = Lit + PovExportText(paths, PovMode::Array, {}, dlg);
            scene += "#for (I, 0, dimension_size(Points, 1) - 1)\n"
                     " sphere { <Points[I].x, Points[I].y, 0>, 0.08 pigment { color rgb 1 } }\n"
                     "#end\n";
            EXPECT_TRUE(render(scene, 64, 64)) << "line form " << static_cast<int>(line)
                                               << ", point form " << static_cast<int>(point);
        }
    }
}

// Even-odd test on the path flattened into short chords.
bool insideOutline(const TCvLine& line, TCvCoord p) {
    bool inside = false;
    for (int i = 0; i < line.segmentCount(); ++i) {
        const Segment s = line.segment(i);
        TCvCoord a = s.a;
        for (int k = 1; k <= 64; ++k) {
            const TCvCoord b = evaluate(s, k / 64.0);
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
                inside = !inside;
            a = b;
        }
    }
    return inside;
}

struct Image {
    int width = 0, height = 0;
    std::string pixels; // RGB bytes, rows from the top
    bool lit(int x, int y) const {
        return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y * width + x) * 3]) >
               127;
    }
};

Image readPpm(const fs::path& p) {
    std::istringstream in(slurp(p));
    std::string magic;
    int values[3] = {};
    in >> magic;
    for (int& v : values) {
        while ((in >> std::ws).peek() == '#') in.ignore(1 << 20, '\n');
        in >> v;
    }
    in.get();
    Image img{values[0], values[1], {}};
    img.pixels.resize(static_cast<std::size_t>(img.width * img.height * 3));
    in.read(img.pixels.data(), static_cast<std::streamsize>(img.pixels.size()));
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(values[2], 255);
    return img;
}

// The letter P seen from above through an orthographic camera: x to the right and the
// drawing's y up the picture, the counter of the bowl left open.
TEST_F(PovRayTest, PrismFromAboveCoversTheOutlineWithItsHole) {
    const std::vector<TCvLine> paths = example("letter_p.plx");
    ASSERT_EQ(paths.size(), 1u);
    const TCvLine& letter = paths.front();
    const int w = 100, h = 120, s = 20; // pixels per drawing unit
    const TCvCoord topLeft{-0.75, 5.5};
    PovDlgState dlg;
    dlg.modifiers = "pigment { color rgb 1 } finish { ambient 1 diffuse 0 }";
    std::ostringstream scene;
    scene << "#version 3.7;\nglobal_settings { assumed_gamma 1.0 ambient_light 1 }\n"
          << "background { color rgb 0 }\n"
          << "camera { orthographic location <" << topLeft.x + 0.5 * w / s << ", 10, "
          << topLeft.y - 0.5 * h / s << "> direction <0, -1, 0> right <" << 1.0 * w / s
          << ", 0, 0> up <0, 0, " << 1.0 * h / s << "> }\n"
          << PovExportText(paths, PovMode::Prism, dlg, {});
    ASSERT_TRUE(render(scene.str(), w, h, "+FP", "image.ppm"));
    const Image img = readPpm(dir / "image.ppm");
    ASSERT_EQ(img.width, w);
    ASSERT_EQ(img.height, h);
    auto centre = [&](int x, int y) {
        return TCvCoord{topLeft.x + (x + 0.5) / s, topLeft.y - (y + 0.5) / s};
    };
    int checked = 0;
    for (int y = 1; y + 1 < h; ++y) {
        for (int x = 1; x + 1 < w; ++x) {
            const bool want = insideOutline(letter, centre(x, y));
            bool nearEdge = false; // within a pixel of the outline: either answer will do
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    nearEdge |= insideOutline(letter, centre(x + dx, y + dy)) != want;
            if (nearEdge) continue;
            ++checked;
            ASSERT_EQ(img.lit(x, y), want) << "pixel " << x << ", " << y;
        }
    }
    EXPECT_GT(checked, w * h * 3 / 4);
    // Landmarks that a mirrored or upside-down picture gets wrong.
    auto pixelOf = [&](TCvCoord p) {
        return std::pair{static_cast<int>((p.x - topLeft.x) * s),
                         static_cast<int>((topLeft.y - p.y) * s)};
    };
    for (auto [p, want] : {std::pair{TCvCoord{1.75, 3.6}, false},
                           {TCvCoord{0.5, 1}, true},
                           {TCvCoord{3, 1}, false},
                           {TCvCoord{3, 3.6}, true}}) {
        const auto [x, y] = pixelOf(p);
        EXPECT_EQ(img.lit(x, y), want) << p.x << ", " << p.y;
    }
}

} // namespace
