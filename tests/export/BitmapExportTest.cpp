#include "export/BitmapExport.h"
#include "export/ContentBounds.h"
#include "model/FileBytes.h"
#include "model/random_drawing.h"
#include "testing.h"

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace plumex {
namespace {

namespace fs = std::filesystem;

struct Bytes : ByteSink {
    std::vector<std::uint8_t> data;
    void write(std::span<const std::uint8_t> b) override {
        data.insert(data.end(), b.begin(), b.end());
    }
};

// The pixels of an 8-bit file, top row first (the file stores them bottom-up).
struct Grey {
    int width = 0, height = 0;
    std::vector<int> pixels;
    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Grey decode(const std::vector<std::uint8_t>& f) {
    Grey g;
    std::int32_t w = 0, h = 0;
    std::memcpy(&w, &f[18], 4);
    std::memcpy(&h, &f[22], 4);
    g.width = w;
    g.height = h;
    const std::size_t stride = (static_cast<std::size_t>(w) + 3) / 4 * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g.pixels.push_back(f[1078 + static_cast<std::size_t>(h - 1 - y) * stride +
                                 static_cast<std::size_t>(x)]);
    return g;
}

Grey render(const std::vector<TCvLine>& lines, double scale = 100, int margin = 10) {
    Bytes b;
    const BitmapRequest r{contentBounds(lines), scale, margin, BitmapMode::GreyScale};
    EXPECT_EQ(renderBitmap(b, lines, r).result, BitmapResult::Written);
    return decode(b.data);
}

const TCvLine unitSquare = testing::polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);

TEST(BitmapExport, UnitSquareSizesEstimatesAndPixels) {
    const auto size = bitmapOutputSize(contentBounds({unitSquare}), 100, 10);
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, (BitmapSize{120, 120}));
    EXPECT_EQ(bitmapSizeEstimate(*size, BitmapMode::GreyScale), 15478);
    EXPECT_EQ(bitmapSizeEstimate(*size, BitmapMode::Monochrome), 1982);

    Bytes grey, mono;
    BitmapRequest r{contentBounds({unitSquare}), 100, 10, BitmapMode::GreyScale};
    ASSERT_EQ(renderBitmap(grey, {unitSquare}, r).result, BitmapResult::Written);
    EXPECT_EQ(grey.data.size(), 15478u);
    r.mode = BitmapMode::Monochrome;
    ASSERT_EQ(renderBitmap(mono, {unitSquare}, r).result, BitmapResult::Written);
    EXPECT_EQ(mono.data.size(), 1982u);
    // Rows bottom-up: row 10 from the bottom starts with ten white pixels, then black bits.
    EXPECT_EQ(mono.data[62 + 10 * 16], 0xFF);
    EXPECT_EQ(mono.data[62 + 10 * 16 + 1], 0xC0);

    const Grey g = decode(grey.data);
    for (int y : {0, 9, 10, 109, 110, 119})
        for (int x : {0, 9, 10, 109, 110, 119}) {
            const bool inside = x >= 10 && x < 110 && y >= 10 && y < 110;
            EXPECT_EQ(g.at(x, y), inside ? 0 : 255) << x << "," << y;
        }
}

TEST(BitmapExport, HalfCoveredPixelAndThinOpenPath) {
    // The right edge at 100.5 pixels from the left one: pixel 110 is half covered.
    const Grey g = render({testing::polyline({{0, 0}, {1.005, 0}, {1.005, 1}, {0, 1}}, true)});
    EXPECT_EQ(g.at(110, 50), 128);

    // An open path is one sample of eight wide: light grey, never white, never dark.
    const Grey line = render({testing::polyline({{0, 0}, {1, 0}, {1, 0.5}})});
    int darkest = 255;
    for (int x = 10; x < 110; ++x) darkest = std::min(darkest, line.at(x, 60));
    EXPECT_GE(darkest, 192);
    EXPECT_LT(line.at(50, 60), 255);
    EXPECT_LT(line.at(110, 30), 255);
}

TEST(BitmapExport, HoleStaysWhiteOverlapStaysBlack) {
    TCvLine outer = testing::polyline({{0, 0}, {3, 0}, {3, 3}, {0, 3}}, true);
    outer.MergeHole(testing::polyline({{1, 1}, {2, 1}, {2, 2}, {1, 2}}, true));
    const Grey holed = render({outer}, 10, 0);
    EXPECT_EQ(holed.at(15, 15), 255);
    EXPECT_EQ(holed.at(5, 15), 0);

    const Grey overlap = render({testing::polyline({{0, 0}, {2, 0}, {2, 1}, {0, 1}}, true),
                                 testing::polyline({{1, 0}, {3, 0}, {3, 1}, {1, 1}}, true)},
                                10, 0);
    EXPECT_EQ(overlap.at(15, 5), 0);
}

// A random drawing of curved closed paths, some with holes, against cairo's even-odd fill.
// A sample flips only where the two flattenings of a curve differ (under 0.2 + 0.1 samples)
// or a sample centre lies on an edge. Along a steep edge that is about one sample per sample
// row of a pixel; a nearly level edge can flip one whole sample row (8 samples, 32). Such
// edges are rare, so nearly all pixels must agree within two samples.
TEST(BitmapExport, MatchesCairoEvenOddReference) {
    if (std::system("/usr/bin/python3 -c 'import cairo' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-cairo is not installed";
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> coord(0, 12), wobble(-2, 2);
    std::vector<TCvLine> lines;
    for (int i = 0; i < 12; ++i) {
        TCvLine line;
        const int n = 3 + static_cast<int>(rng() % 5);
        for (int k = 0; k < n; ++k) {
            const TCvCoord a{coord(rng), coord(rng)};
            line.points.emplace_back(a, TCvCoord{a.x + wobble(rng), a.y + wobble(rng)},
                                     rng() % 3 ? TCvCoord{a.x + wobble(rng), a.y + wobble(rng)}
                                               : a);
        }
        line.closed = 1;
        if (i % 4 == 0) {
            const TCvCoord c{coord(rng), coord(rng)};
            TCvLine outer = testing::polyline(
                {{c.x - 3, c.y - 3}, {c.x + 3, c.y - 3}, {c.x + 3, c.y + 3}, {c.x - 3, c.y + 3}},
                true);
            outer.MergeHole(testing::polyline(
                {{c.x - 1, c.y - 1}, {c.x + 1, c.y - 1}, {c.x, c.y + 1.5}}, true));
            lines.push_back(outer);
        }
        lines.push_back(line);
    }
    const double scale = 5.3;
    const int margin = 7, factor = 8;
    const TCvRect b = contentBounds(lines);
    const Grey ours = render(lines, scale, margin);

    // The export's mapping into samples, rows counted from the top as cairo counts them.
    const double ox = std::trunc(margin - b.left * scale) * factor;
    const double oy = std::trunc(margin + b.top * scale) * factor;
    auto map = [&](TCvCoord p) {
        std::ostringstream s;
        s.precision(17);
        s << " " << p.x * scale * factor + ox << " " << oy - p.y * scale * factor;
        return s.str();
    };
    const fs::path dir = fs::temp_directory_path() / ("plumex_cairo_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    {
        std::ofstream out(dir / "paths.txt");
        for (const TCvLine& line : lines) {
            out << "M" << map(line.points[0].anchor);
            for (int k = 0; k < line.segmentCount(); ++k) {
                const Segment s = line.segment(k);
                out << " C" << map(s.h1) << map(s.h2) << map(s.b);
            }
            out << " Z\n";
        }
    }
    const std::string cmd = "/usr/bin/python3 '" PLUMEX_TEST_DATA "/export/cairo_reference.py' '" +
                            (dir / "paths.txt").string() + "' '" + (dir / "ref.raw").string() +
                            "' " + std::to_string(ours.width) + " " + std::to_string(ours.height) +
                            " 8";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::vector<std::uint8_t> ref = readFileBytes((dir / "ref.raw").string());
    ASSERT_EQ(ref.size(), ours.pixels.size());
    int worst = 0, differing = 0, beyondTwo = 0, black = 0, white = 0;
    for (std::size_t i = 0; i < ref.size(); ++i) {
        const int d = std::abs(ours.pixels[i] - ref[i]);
        worst = std::max(worst, d);
        differing += d > 0;
        beyondTwo += d > 8;
        black += ref[i] == 0;
        white += ref[i] == 255;
    }
    EXPECT_LE(worst, 32) << "one sample row";
    EXPECT_LT(differing, static_cast<int>(ref.size()) / 50);
    EXPECT_LE(beyondTwo, static_cast<int>(ref.size()) / 1000);
    EXPECT_GT(black, 500); // the drawing is not trivially empty
    EXPECT_GT(white, 500);
    fs::remove_all(dir);
}

// Random drawings, some shrunk to nearly nothing or blown up far past the picture, framed
// whole or by a window onto them: every file comes out complete and of the promised size.
TEST(BitmapExport, RandomDrawingsOfAnyMagnitude) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        testing::RandomDrawing random(seed);
        std::vector<TCvLine> lines = random.lines(6);
        const double magnitude = seed % 3 == 0 ? 1e-9 : seed % 3 == 1 ? 1.0 : 1e12;
        for (TCvLine& line : lines) line.Scale(magnitude, magnitude);
        BitmapRequest r;
        r.bounds = contentBounds(lines);
        if (seed % 4 == 0) { // a window onto the middle: most edges lie off the picture
            const TCvCoord c = centre(r.bounds);
            const double half = (r.bounds.right - r.bounds.left) / 8;
            r.bounds = TCvRect(c.x - half, c.y + half, c.x + half, c.y - half);
        }
        const double extent =
            std::max(r.bounds.right - r.bounds.left, r.bounds.top - r.bounds.bottom);
        r.scale = extent > 0 ? 60 / extent : 1;
        r.margin = static_cast<int>(seed % 5);
        r.mode = seed % 2 ? BitmapMode::GreyScale : BitmapMode::Monochrome;
        Bytes b;
        const auto size = bitmapOutputSize(r.bounds, r.scale, r.margin);
        if (size->width < 1 || size->height < 1) { // nothing to frame and no margin
            EXPECT_EQ(renderBitmap(b, lines, r).result, BitmapResult::TooLarge) << seed;
            continue;
        }
        ASSERT_EQ(renderBitmap(b, lines, r).result, BitmapResult::Written) << seed;
        const BmpFormat format =
            r.mode == BitmapMode::GreyScale ? BmpFormat::Grey8 : BmpFormat::Mono1;
        EXPECT_EQ(b.data.size(), bmpFileSize(size->width, size->height, format)) << seed;
    }
}

TEST(BitmapExport, CancelAndRefusalKeepThePreviousFile) {
    const fs::path dir = fs::temp_directory_path() / ("plumex_bmp_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "keep.bmp").string();
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    writeFileAtomically(file, old);
    BitmapRequest r{contentBounds({unitSquare}), 100, 10, BitmapMode::GreyScale};
    const auto cancel = [](std::int64_t done, std::int64_t total) {
        EXPECT_EQ(total, 120);
        return done < 60;
    };
    EXPECT_EQ(ExportBitmap(file, {unitSquare}, r, cancel).result, BitmapResult::Cancelled);
    EXPECT_EQ(readFileBytes(file), old);
    for (double scale : {1e6, -5.0, std::nan(""), 1e300}) {
        r.scale = scale;
        EXPECT_EQ(ExportBitmap(file, {unitSquare}, r).result, BitmapResult::TooLarge) << scale;
        EXPECT_EQ(readFileBytes(file), old);
    }
    r.scale = 100;
    const BitmapOutcome missing = ExportBitmap((dir / "no" / "x.bmp").string(), {unitSquare}, r);
    EXPECT_EQ(missing.result, BitmapResult::Failed);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_EQ(ExportBitmap(file, {unitSquare}, r).result, BitmapResult::Written);
    EXPECT_EQ(readFileBytes(file).size(), 15478u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    fs::remove_all(dir);
}

// A file that cannot grow (here: a file size limit, as a full disk would) ends the export at
// the first failed write with the system's reason, and the previous file stays.
TEST(BitmapExport, FailedWriteStopsTheRenderingAndKeepsThePreviousFile) {
    const fs::path dir =
        fs::temp_directory_path() / ("plumex_bmp_full_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "keep.bmp").string();
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    writeFileAtomically(file, old);
    // 1020 x 1020 greys, about 1 MB, against a limit of 64 KiB.
    const BitmapRequest r{contentBounds({unitSquare}), 1000, 10, BitmapMode::GreyScale};
    std::int64_t rowsSeen = 0;
    const auto count = [&](std::int64_t done, std::int64_t) {
        rowsSeen = done;
        return true;
    };
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit limited = before;
    limited.rlim_cur = 64 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const BitmapOutcome outcome = ExportBitmap(file, {unitSquare}, r, count);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome.result, BitmapResult::Failed);
    EXPECT_NE(outcome.error.find("keep.bmp"), std::string::npos) << outcome.error;
    EXPECT_LT(rowsSeen, 200) << "rendering went on after the write failed";
    EXPECT_EQ(readFileBytes(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    fs::remove_all(dir);
}

} // namespace
} // namespace plumex
