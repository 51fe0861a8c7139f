// Round trips through the real programs: a known drawing rendered to a bitmap, traced back
// with plumex-cli trace, and held against the original in the same frame.

#include "export/BitmapExport.h"
#include "export/ContentBounds.h"
#include "model/Document.h"
#include "model/LineTree.h"
#include "raster/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

constexpr double Scale = 400; // source pixels per unit
constexpr int Margin = 10;

struct VectorSink : ByteSink {
    std::vector<std::uint8_t> bytes;
    void write(std::span<const std::uint8_t> b) override {
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<TCvLine> loadLines(const fs::path& p) {
    TCvDocument doc;
    EXPECT_TRUE(doc.LoadFromFile(p.string())) << p;
    return std::vector<TCvLine>(doc.Lines.begin(), doc.Lines.end());
}

// Dark pixels of the monochrome bitmap the bmp export makes of `lines` in `frame`.
std::vector<bool> filled(const std::vector<TCvLine>& lines, const TCvRect& frame) {
    VectorSink sink;
    BitmapRequest r{frame, Scale, Margin, BitmapMode::Monochrome};
    EXPECT_EQ(renderBitmap(sink, lines, r).result, BitmapResult::Written);
    const RasterImage image = readBmp(sink.bytes);
    std::vector<bool> dark;
    for (Color c : image.pixels) dark.push_back(redOf(c) < 128);
    return dark;
}

double iou(const std::vector<bool>& a, const std::vector<bool>& b) {
    EXPECT_EQ(a.size(), b.size());
    std::size_t both = 0, either = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either ? double(both) / double(either) : 0;
}

// Every outline segment as `steps` points, leaving out the straight bridges hole merging adds (a
// bridge is run once each way).
std::vector<std::vector<TCvCoord>> outlinePieces(const std::vector<TCvLine>& lines, int steps) {
    std::vector<std::vector<TCvCoord>> out;
    for (const TCvLine& l : lines) {
        for (int i = 0; i < l.segmentCount(); ++i) {
            const Segment s = l.segment(i);
            bool bridge = false;
            for (int j = 0; s.straight() && j < l.segmentCount() && !bridge; ++j) {
                const Segment t = l.segment(j);
                bridge = j != i && equal(t.a, s.b) && equal(t.b, s.a) && !equal(s.a, s.b);
            }
            if (bridge) continue;
            std::vector<TCvCoord>& piece = out.emplace_back();
            for (int k = 0; k <= steps; ++k) piece.push_back(evaluate(s, double(k) / steps));
        }
    }
    return out;
}

double toSegment(TCvCoord p, TCvCoord a, TCvCoord b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
    const double t =
        len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The largest distance from a point of `from` to the outline `to` (as fine polylines).
double farthest(const std::vector<TCvLine>& from, const std::vector<TCvLine>& to) {
    const auto samples = outlinePieces(from, 8);
    const auto polylines = outlinePieces(to, 64);
    double worst = 0;
    for (const auto& piece : samples)
        for (TCvCoord p : piece) {
            double best = INFINITY;
            for (const auto& line : polylines)
                for (std::size_t k = 1; k < line.size(); ++k)
                    best = std::min(best, toSegment(p, line[k - 1], line[k]));
            worst = std::max(worst, best);
        }
    return worst;
}

TCvLine circle(double r) {
    constexpr double k = 0.5522847498307936;
    TCvLine l;
    l.closed = 1;
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        const TCvCoord p{r * std::cos(a), r * std::sin(a)};
        const TCvCoord t{-std::sin(a) * r * k, std::cos(a) * r * k};
        l.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y}, TCvCoord{p.x + t.x, p.y + t.y});
    }
    return l;
}

class TraceRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_trace_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() +
                                "' && '" PLUMEX_BUILD_DIR "/cli/plumex-cli' " + args +
                                " >stdout 2>stderr";
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string err() const { return slurp(dir / "stderr"); }
    std::string out() const { return slurp(dir / "stdout"); }

    // Renders source.plx at Scale, traces the bitmap back and returns the traced paths moved
    // from the draft's place (centred on the origin) into the source's own frame.
    std::vector<TCvLine> roundTrip(const std::vector<TCvLine>& source) {
        EXPECT_EQ(cli("bmp source.plx -o source.bmp --scale 400 --margin 10"), 0) << err();
        const std::string bytes = slurp(dir / "source.bmp");
        const RasterImage picture = readBmp(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        const double width = picture.width / Scale;
        EXPECT_EQ(cli("trace source.bmp -o traced.plx --width " + std::to_string(width)), 0)
            << err();
        std::vector<TCvLine> traced = loadLines(dir / "traced.plx");
        // The bitmap's upper-left pixel corner, in the source's units, as the export lays it.
        const TCvRect b = contentBounds(source);
        const TCvCoord corner{-std::trunc(Margin - b.left * Scale) / Scale,
                              std::trunc(Margin + b.top * Scale) / Scale};
        const double factor = width / picture.width;
        const TCvCoord shift{corner.x + picture.width * factor / 2,
                             corner.y - picture.height * factor / 2};
        for (TCvLine& l : traced) l.Translate(shift);
        return traced;
    }

    fs::path dir;
};

TEST_F(TraceRoundTrip, TextComesBackWithinOnePixelAndItsCounters) {
    ASSERT_EQ(cli("text Rg8 --font 'DejaVu Sans' -o source.plx"), 0) << err();
    const std::vector<TCvLine> source = loadLines(dir / "source.plx");
    const std::vector<TCvLine> traced = roundTrip(source);
    // R, g and 8 with their counters merged in: three paths, as the text made them.
    EXPECT_EQ(traced.size(), source.size());
    const TCvRect frame = contentBounds(source);
    EXPECT_GE(iou(filled(source, frame), filled(traced, frame)), 0.98);
    const double pixel = 1 / Scale;
    EXPECT_LE(farthest(traced, source), pixel);
}

TEST_F(TraceRoundTrip, ADiscWithAHoleIsAFewCurvesNotAStaircase) {
    std::vector<TCvLine> rings{circle(0.5), circle(0.2)};
    std::vector<TCvLine> source;
    Flatten(BuildTree(rings).top, source);
    ASSERT_EQ(source.size(), 1u);
    {
        TCvDocument doc;
        doc.Append(source);
        ASSERT_TRUE(doc.SaveToFile((dir / "source.plx").string()));
    }
    const std::vector<TCvLine> traced = roundTrip(source);
    ASSERT_EQ(traced.size(), 1u);
    // Each ring a handful of curves, plus the two anchors the bridge repeats.
    EXPECT_LE(traced[0].count(), 20);
    for (const TCvPoint& p : traced[0].points) {
        const double r = std::hypot(p.anchor.x, p.anchor.y);
        EXPECT_TRUE(std::abs(r - 0.5) < 1 / Scale || std::abs(r - 0.2) < 1 / Scale) << r;
    }
    const TCvRect frame = contentBounds(source);
    EXPECT_GE(iou(filled(source, frame), filled(traced, frame)), 0.98);
    EXPECT_LE(farthest(traced, source), 1 / Scale);
}

} // namespace
