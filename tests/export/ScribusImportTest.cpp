// An exported Illustrator file read by a real reader: Scribus places it on a page and saves
// its own document, whose path data must match the drawing. Skipped when scribus is missing.

#include "export/ContentBounds.h"
#include "export/IllustratorExport.h"
#include "testing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace plumex {
namespace {

namespace fs = std::filesystem;
using testing::A3;

struct Cubic {
    TCvCoord a, h1, h2, b;
};
struct ImportedPath {
    std::vector<Cubic> segments;
    bool closed = false;
};

std::string attribute(const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size();
    return element.substr(from, element.find('"', from) - from);
}

// The page objects that carry path data, in the document's order, in file coordinates: the
// item position plus the local point, y flipped; `shift` is fixed by the first point seen.
std::vector<ImportedPath> readSla(const std::string& sla) {
    std::vector<ImportedPath> paths;
    bool haveShift = false;
    TCvCoord shift;
    for (std::size_t at = sla.find("<PAGEOBJECT "); at != std::string::npos;
         at = sla.find("<PAGEOBJECT ", at + 1)) {
        const std::string element = sla.substr(at, sla.find('>', at) - at);
        std::string data;
        for (const char c : attribute(element, "path")) { // "M0 5L75 0": operators glued on
            if (c == 'M' || c == 'L' || c == 'C' || c == 'Z')
                data += std::string(" ") + c + " ";
            else
                data += c;
        }
        if (data.empty() || attribute(element, "PTYPE") == "12") continue; // groups
        const double x0 = std::stod(attribute(element, "XPOS"));
        const double y0 = std::stod(attribute(element, "YPOS"));
        std::istringstream in(data);
        in.imbue(std::locale::classic());
        ImportedPath path;
        TCvCoord current;
        auto point = [&] {
            double x = 0, y = 0;
            in >> x >> y;
            const TCvCoord page{x0 + x, y0 + y};
            if (!haveShift) {
                shift = {-page.x, page.y};
                haveShift = true;
            }
            return TCvCoord{page.x + shift.x, shift.y - page.y};
        };
        std::string op;
        while (in >> op) {
            if (op == "M") {
                current = point();
            } else if (op == "L") {
                const TCvCoord b = point();
                path.segments.push_back({current, current, b, b});
                current = b;
            } else if (op == "C") {
                const TCvCoord h1 = point(), h2 = point(), b = point();
                path.segments.push_back({current, h1, h2, b});
                current = b;
            } else if (op == "Z") {
                path.closed = true;
            } else {
                ADD_FAILURE() << "unexpected path operator " << op;
            }
        }
        paths.push_back(path);
    }
    return paths;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(ScribusImport, PathsReadBackAsDrawn) {
    if (std::system("command -v scribus >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "scribus is not installed (apt-get install scribus)";

    // Every operator form (l, v, V, c, C, Y) in a closed path, a square with a square hole,
    // an open curve and a hidden path. At scale 10 every file number stays below 100, so the
    // six significant digits Scribus keeps still hold the file's four decimals.
    std::vector<TCvLine> lines;
    lines.push_back(testing::curve({{{0, 0}, {0, 0}, {0, 0}},
                                    {{2, 0}, {1, 0}, {3, 0}},
                                    {{4, 2}, {4, 1}, {5, 2}},
                                    {{6, 2}, {5, 3}, {7, 1}},
                                    {{8, 0}, {8, 0}, {8, 0}},
                                    {{7.5, -1.25}, {8.5, -0.5}, {7.5, -1.25}}},
                                   true));
    TCvLine outer = testing::polyline({{0, 3}, {3, 3}, {3, 6}, {0, 6}}, true);
    outer.MergeHole(testing::polyline({{1, 4}, {1, 5}, {2, 5}, {2, 4}}, true));
    lines.push_back(outer);
    lines.push_back(testing::curve({{{4, 4}, {4, 4}, {5, 6.1234}}, {{7, 4}, {6.5, 5}, {7, 4}}}));
    TCvLine hidden = testing::polyline({{0.25, 7}, {7.75, 7.5}});
    hidden.visible = 0;
    lines.push_back(hidden);

    const fs::path dir =
        fs::temp_directory_path() / ("plumex_scribus_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const double scale = 10;
    const TCvRect bounds = contentBounds(lines);
    std::string error;
    ASSERT_TRUE(ExportIllustrator((dir / "drawing.ai").string(), lines, scale, bounds, &error))
        << error;
    const std::string cmd = "cd '" + dir.string() +
                            "' && QT_QPA_PLATFORM=offscreen timeout 120 scribus -g -ns -py '" +
                            PLUMEX_TEST_DATA "/export/scribus_place.py' drawing.ai drawing.sla "
                                             ">scribus.log 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp(dir / "scribus.log");
    const std::vector<ImportedPath> imported = readSla(slurp(dir / "drawing.sla"));

    // The same mapping as the file, moved so the first anchor lies where Scribus put it.
    const double offX = std::trunc(-bounds.left * scale) + 10;
    const double offY = std::trunc(-bounds.bottom * scale) + 10;
    const TCvCoord first{lines[0].points[0].anchor.x * scale + offX,
                         lines[0].points[0].anchor.y * scale + offY};
    auto map = [&](TCvCoord p) {
        return TCvCoord{p.x * scale + offX - first.x, p.y * scale + offY - first.y};
    };
    // Four decimals in the file and Scribus's own rounding of its output.
    const double tol = 2e-4;
    ASSERT_EQ(imported.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("path " + std::to_string(i));
        EXPECT_EQ(imported[i].closed, lines[i].closed != 0);
        ASSERT_EQ(imported[i].segments.size(), static_cast<std::size_t>(lines[i].segmentCount()));
        for (int k = 0; k < lines[i].segmentCount(); ++k) {
            const Segment s = lines[i].segment(k);
            const Cubic& c = imported[i].segments[static_cast<std::size_t>(k)];
            EXPECT_TRUE(testing::coordNear(c.a, map(s.a), tol)) << "segment " << k;
            EXPECT_TRUE(testing::coordNear(c.h1, map(s.h1), tol)) << "segment " << k;
            EXPECT_TRUE(testing::coordNear(c.h2, map(s.h2), tol)) << "segment " << k;
            EXPECT_TRUE(testing::coordNear(c.b, map(s.b), tol)) << "segment " << k;
        }
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace plumex
