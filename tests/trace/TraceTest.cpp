// The tracing layer on pictures made here: placement over the draft, stacking of levels,
// pictures with nothing or everything dark, cancelling.

#include "trace/Trace.h"
#include "canvas/Pict.h"
#include "raster/BmpWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

RasterImage picture(int w, int h, Color fill = rgbColor(255, 255, 255)) {
    return {w, h, std::vector<Color>(static_cast<std::size_t>(w) * h, fill), std::nullopt};
}

void paint(RasterImage& image, int x0, int y0, int w, int h, Color c) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = c;
}

TCvRect boundsOf(const std::vector<TCvLine>& lines) {
    TCvRect r = lines.at(0).GetBounds();
    for (const TCvLine& l : lines) l.ExtendBounds(r);
    return r;
}

void expectRect(const TCvRect& got, const TCvRect& want, double tol) {
    EXPECT_NEAR(got.left, want.left, tol);
    EXPECT_NEAR(got.top, want.top, tol);
    EXPECT_NEAR(got.right, want.right, tol);
    EXPECT_NEAR(got.bottom, want.bottom, tol);
}

TEST(Trace, LiesOnTheDraftsPixelGrid) {
    // Two dark blocks in opposite corners of a 640 x 480 picture shown 6 units wide.
    RasterImage image = picture(640, 480);
    paint(image, 0, 0, 8, 8, rgbColor(0, 0, 0));
    paint(image, 635, 477, 5, 3, rgbColor(20, 20, 20));
    const fs::path file =
        fs::temp_directory_path() / ("plumex_trace_" + std::to_string(getpid()) + ".bmp");
    {
        std::ofstream os(file, std::ios::binary);
        StreamByteSink sink(os);
        BmpWriter writer(sink, image.width, image.height, BmpFormat::Rgb24);
        for (int y = image.height - 1; y >= 0; --y)
            writer.writeRow(std::span<const Color>(image.pixels).subspan(y * 640u, 640));
    }
    TPict draft;
    ASSERT_TRUE(draft.Load(file.string(), 6));
    fs::remove(file);
    const DraftPicture& shown = draft.Picture();
    TraceOptions options;
    options.alphamax = 0; // squares stay squares
    const TraceResult r = tracePicture(shown.image, options, draftPlacement(640, 480, 6));
    ASSERT_EQ(r.status, TraceStatus::Done);
    ASSERT_EQ(r.paths.size(), 2u);
    const bool topFirst = r.paths[0].GetBounds().left < r.paths[1].GetBounds().left;
    const TCvLine& upperLeft = r.paths[topFirst ? 0 : 1];
    const TCvLine& lowerRight = r.paths[topFirst ? 1 : 0];
    const TCvRect d = draft.Bounds();
    const double f = shown.factor;
    EXPECT_EQ(f, draftPlacement(640, 480, 6).factor);
    expectRect(upperLeft.GetBounds(), {d.left, d.top, d.left + 8 * f, d.top - 8 * f}, 1e-9);
    expectRect(lowerRight.GetBounds(), {d.right - 5 * f, d.bottom + 3 * f, d.right, d.bottom},
               1e-9);
    for (const TCvLine& l : r.paths) EXPECT_EQ(l.count(), 8) << "corner and edge midpoint each";
}

TEST(Trace, LevelsStackLighterUnderDarker) {
    RasterImage image = picture(40, 10);
    paint(image, 0, 0, 10, 10, rgbColor(40, 40, 40));
    paint(image, 10, 0, 10, 10, rgbColor(110, 110, 110));
    paint(image, 20, 0, 10, 10, rgbColor(180, 180, 180));
    TraceOptions o;
    o.levels = 4;
    o.alphamax = 0;
    const TracePlacement at{{0, 0}, 1};
    TraceResult r = tracePicture(image, o, at);
    ASSERT_EQ(r.paths.size(), 3u);
    for (int i = 0; i < 3; ++i)
        expectRect(boundsOf({r.paths[i]}), {0, 0, 30 - 10.0 * i, -10}, 1e-9);
    o.invert = true;
    r = tracePicture(image, o, at);
    ASSERT_EQ(r.paths.size(), 3u);
    for (int i = 0; i < 3; ++i)
        expectRect(boundsOf({r.paths[i]}), {10 + 10.0 * i, 0, 40, -10}, 1e-9);
}

TEST(Trace, PicturesWithNothingOrEverythingDark) {
    const TracePlacement at{{-1, 1}, 0.5};
    EXPECT_EQ(tracePicture(RasterImage{}, {}, at).status, TraceStatus::NoDarkArea);
    EXPECT_EQ(tracePicture(picture(300, 200), {}, at).status, TraceStatus::NoDarkArea);
    // One dark pixel is a speckle by default, and a square when speckles are kept.
    const RasterImage dot = picture(1, 1, rgbColor(0, 0, 0));
    EXPECT_EQ(tracePicture(dot, {}, at).status, TraceStatus::NoDarkArea);
    TraceOptions keep;
    keep.turdSize = 0;
    TraceResult r = tracePicture(dot, keep, at);
    ASSERT_EQ(r.status, TraceStatus::Done);
    expectRect(boundsOf(r.paths), {-1, 1, -0.5, 0.5}, 1e-12);
    r = tracePicture(picture(300, 200, rgbColor(0, 0, 0)), {}, at);
    ASSERT_EQ(r.status, TraceStatus::Done);
    ASSERT_EQ(r.paths.size(), 1u);
    expectRect(r.paths[0].GetBounds(), {-1, 1, 149, -99}, 1e-9);
    // A strip one pixel high is a thin sliver to the tracer: with corners kept it still spans
    // the strip to within a pixel.
    TraceOptions corners;
    corners.alphamax = 0;
    r = tracePicture(picture(65535, 1, rgbColor(0, 0, 0)), corners, at);
    ASSERT_EQ(r.status, TraceStatus::Done);
    ASSERT_EQ(r.paths.size(), 1u);
    expectRect(r.paths[0].GetBounds(), {-1, 1, -1 + 65535 * 0.5, 0.5}, 0.5);
    // A transparent colour is background, whatever it is.
    RasterImage clear = picture(50, 50, rgbColor(0, 0, 0));
    clear.transparent = rgbColor(0, 0, 0);
    EXPECT_EQ(tracePicture(clear, {}, at).status, TraceStatus::NoDarkArea);
}

TEST(Trace, CancelLeavesNothing) {
    RasterImage image = picture(400, 300);
    for (int i = 0; i < 40; ++i) paint(image, 5 + i * 9, 10 + (i * 37) % 250, 6, 30, 0);
    double last = -1;
    const TraceResult full = tracePicture(image, {}, {}, [&](double f) {
        EXPECT_GE(f, last);
        last = f;
        return true;
    });
    ASSERT_EQ(full.status, TraceStatus::Done);
    EXPECT_EQ(full.paths.size(), 40u);
    EXPECT_DOUBLE_EQ(last, 1.0);
    for (double stopAt : {0.0, 0.05, 0.5, 0.95}) {
        const TraceResult r = tracePicture(image, {}, {}, [&](double f) { return f < stopAt; });
        EXPECT_EQ(r.status, TraceStatus::Cancelled) << stopAt;
        EXPECT_TRUE(r.paths.empty());
    }
}

} // namespace
