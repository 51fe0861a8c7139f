#include "canvas/Grid.h"
#include "canvas/RulerCache.h"

#include <gtest/gtest.h>

#include <map>

using namespace plumex;

namespace {

// Keeps the texts and tick lines drawn on it; everything else is ignored.
class RecordingSurface : public Surface {
public:
    struct Text {
        PixelPoint at;
        std::string text;
        int escapement;
    };
    std::vector<Text> texts;
    std::vector<std::pair<PixelPoint, PixelPoint>> lines;
    int w, h;

    RecordingSurface(int width, int height) : w(width), h(height) {}
    int width() const override { return w; }
    int height() const override { return h; }
    void setClip(std::optional<PixelRect>) override {}
    void fillRect(const PixelRect&, Color) override {}
    void line(PixelPoint a, PixelPoint b, Color) override { lines.push_back({a, b}); }
    void polyline(std::span<const PixelPoint>, Color) override {}
    void polyBezier(std::span<const PixelPoint>, Color) override {}
    void rectangle(const PixelRect&, std::optional<Color>, std::optional<Color>) override {}
    void ellipse(const PixelRect&, std::optional<Color>, std::optional<Color>) override {}
    void text(PixelPoint at, std::string_view t, const FontSpec& f, Color) override {
        texts.push_back({at, std::string(t), f.escapement});
    }
    void drawImage(const PixelRect&, const RasterImage&) override {}
    void invertFrame(const PixelRect&, BandShape) override {}
    Color pixel(PixelPoint) const override { return 0; }
    void setPixel(PixelPoint, Color) override {}
    std::unique_ptr<Surface> createBuffer(int width, int height) const override {
        auto s = std::make_unique<RecordingSurface>(width, height);
        last = s.get();
        return s;
    }
    void copyFrom(const Surface&, const PixelRect&, PixelPoint) override {}
    void present(const PixelRect&) override {}
    mutable RecordingSurface* last = nullptr;
};

std::map<int, std::string> labelsByPosition(const RecordingSurface& s, bool horizontal) {
    std::map<int, std::string> out;
    for (const auto& t : s.texts) out[horizontal ? t.at.x : t.at.y] = t.text;
    return out;
}

} // namespace

TEST(Ruler, LabelsCountThousandsAtOneTenth) {
    const AutoGrid g = autoGridFor(0.1); // ticks every 500 units, every second one long
    ASSERT_EQ(g.rulerStep, 500);
    RecordingSurface like(1, 1);
    RulerCache cache;
    cache.build(like, {true, 400, 100, 0.1, g.rulerStep, g.rulerMajor}, defaultColors());
    // The strip starts one client width left of the window: origin 100 is strip pixel 500.
    const auto labels = labelsByPosition(*like.last, true);
    EXPECT_EQ(labels.at(500 + 2), "0");       // long tick: label 2 pixels right
    EXPECT_EQ(labels.at(500 + 500 + 2), "5"); // 5,000 units are 500 pixels; long tick
    EXPECT_EQ(labels.at(500 + 250), "2.5");   // short tick
    EXPECT_EQ(labels.at(500 - 250), "-2.5");
    EXPECT_TRUE(cache.covers(13, 400, 100));
    EXPECT_TRUE(cache.covers(13, 400, -300));
    EXPECT_FALSE(cache.covers(13, 400, 600)); // scrolled past the strip: rebuild
}

TEST(Ruler, VerticalLabelsAreNegatedAndTurned) {
    RecordingSurface like(1, 1);
    RulerCache cache;
    cache.build(like, {false, 300, 150, 100, 0.5, 2}, defaultColors());
    const auto labels = labelsByPosition(*like.last, false);
    // Drawing y grows upward: 50 pixels below the origin is y = -0.5.
    EXPECT_EQ(labels.at(450 + 50), "-0.5");
    EXPECT_EQ(labels.at(450 - 100 - 2), "1");
    EXPECT_EQ(labels.at(450 - 2), "0"); // not "-0"
    for (const auto& t : like.last->texts) EXPECT_EQ(t.escapement, 900);
    // The loop stops 30 pixels before the end of the strip.
    for (const auto& t : like.last->texts) EXPECT_LT(t.at.y, 900 - 30 + 1);
}
