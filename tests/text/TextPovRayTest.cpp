// "Ag" exported as prisms and rendered by POV-Ray from above: the picture matches an even-odd
// fill of the outlines, with the counters of "A" and "g" left open.

#include "Fonts.h"
#include "export/PovExport.h"
#include "model/Containment.h"
#include "model/Segment.h"
#include "text/TextOutline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
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

bool insideAny(const std::vector<TCvLine>& paths, TCvCoord p) {
    for (const TCvLine& l : paths)
        if (insideOutline(l, p)) return true;
    return false;
}

TCvCoord centroid(const TCvLine& l) {
    TCvCoord c;
    for (const TCvPoint& p : l.points) c = add(c, p.anchor);
    return scale(c, 1.0 / l.count());
}

TEST(TextPovRay, AgPrismsFromAboveKeepTheCountersOpen) {
    const FontFace face(plumex::testing::DejaVuSans);
    const std::vector<TCvLine> paths = TextToPaths(face, "Ag", {2, true, {0, 0}});
    ASSERT_EQ(paths.size(), 2u);
    const fs::path dir = fs::temp_directory_path() / ("plumex_textpov_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const int w = 128, h = 120, s = 40; // pixels per drawing unit
    const TCvCoord topLeft{-0.2, 2.2};
    PovDlgState dlg;
    dlg.modifiers = "pigment { color rgb 1 } finish { ambient 1 diffuse 0 }";
    std::ostringstream scene;
    scene << "#version 3.7;\nglobal_settings { assumed_gamma 1.0 ambient_light 1 }\n"
          << "background { color rgb 0 }\n"
          << "camera { orthographic location <" << topLeft.x + 0.5 * w / s << ", 10, "
          << topLeft.y - 0.5 * h / s << "> direction <0, -1, 0> right <" << 1.0 * w / s
          << ", 0, 0> up <0, 0, " << 1.0 * h / s << "> }\n"
          << PovExportText(paths, PovMode::Prism, dlg, {});
    std::ofstream(dir / "scene.pov", std::ios::binary) << scene.str();
    const std::string cmd = "cd '" + dir.string() +
                            "' && povray +Iscene.pov +Oimage.ppm -D -V +FP +W" + std::to_string(w) +
                            " +H" + std::to_string(h) + " >povray.log 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp(dir / "povray.log");
    std::istringstream in(slurp(dir / "image.ppm"));
    std::string magic;
    int header[3] = {};
    in >> magic;
    for (int& v : header) {
        while ((in >> std::ws).peek() == '#') in.ignore(1 << 20, '\n'); // POV-Ray's comment
        in >> v;
    }
    in.get();
    const int iw = header[0], ih = header[1];
    ASSERT_EQ(magic, "P6");
    ASSERT_EQ(iw, w);
    ASSERT_EQ(ih, h);
    std::string pixels(static_cast<std::size_t>(w * h * 3), '\0');
    in.read(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    auto lit = [&](int x, int y) {
        return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y * w + x) * 3]) > 127;
    };
    auto centre = [&](int x, int y) {
        return TCvCoord{topLeft.x + (x + 0.5) / s, topLeft.y - (y + 0.5) / s};
    };
    // The even-odd reference, once per pixel centre.
    std::vector<char> want(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            want[static_cast<std::size_t>(y * w + x)] = insideAny(paths, centre(x, y));
    auto ref = [&](int x, int y) { return want[static_cast<std::size_t>(y * w + x)] != 0; };
    int checked = 0, filled = 0;
    for (int y = 1; y + 1 < h; ++y) {
        for (int x = 1; x + 1 < w; ++x) {
            bool nearEdge = false; // within a pixel of an outline: either answer will do
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) nearEdge |= ref(x + dx, y + dy) != ref(x, y);
            if (nearEdge) continue;
            ++checked;
            filled += ref(x, y);
            ASSERT_EQ(lit(x, y), ref(x, y)) << "pixel " << x << ", " << y;
        }
    }
    EXPECT_GT(checked, w * h / 2);
    EXPECT_GT(filled, 300);
    // The counters: the inner contours of the letters drawn without holes stay dark.
    const std::vector<TCvLine> plain = TextToPaths(face, "Ag", {2, false, {0, 0}});
    ASSERT_EQ(plain.size(), 4u);
    int counters = 0;
    for (const TCvLine& inner : plain) {
        bool isCounter = false;
        for (const TCvLine& outer : plain)
            isCounter |= &outer != &inner && outlineInside(outer, inner);
        if (!isCounter) continue;
        ++counters;
        const TCvCoord c = centroid(inner);
        const int x = static_cast<int>((c.x - topLeft.x) * s);
        const int y = static_cast<int>((topLeft.y - c.y) * s);
        EXPECT_FALSE(insideAny(paths, c));
        EXPECT_FALSE(lit(x, y)) << "counter at " << x << ", " << y;
    }
    EXPECT_EQ(counters, 2);
    fs::remove_all(dir);
}

} // namespace
