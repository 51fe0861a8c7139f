// Full repaints of a 1280 x 800 client area through the Qt surface: fit-all for drawings of
// 10,000 and 1,000,000 anchors, and zoomed in so that about 1% of the large drawing shows.
#include "canvas/Window.h"
#include "canvas/qt/QImageSurface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>

using namespace plumex;

namespace {

constexpr int Width = 1280;
constexpr int Height = 800;
constexpr int AnchorsPerPath = 100;

void ensureApp() {
    static int argc = 1;
    static char name[] = "bench_canvas";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Kept to the end of the process, like the application object of the program.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// A closed wobbly loop of curved segments around a cell centre, radius about 4 units.
TCvLine loop(TCvCoord c, std::mt19937& rng) {
    std::uniform_real_distribution<double> wobble(-0.6, 0.6);
    TCvLine line;
    for (int i = 0; i < AnchorsPerPath; ++i) {
        const double a = 2 * M_PI * i / AnchorsPerPath;
        const double r = 4 + wobble(rng);
        const TCvCoord p{c.x + r * std::cos(a), c.y + r * std::sin(a)};
        const TCvCoord t{-std::sin(a) * 0.15, std::cos(a) * 0.15};
        line.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y}, TCvCoord{p.x + t.x, p.y + t.y});
    }
    line.closed = 1;
    return line;
}

// Paths on a square grid of 10-unit cells, so both drawings have the same density.
std::vector<TCvLine> drawing(int anchors) {
    std::mt19937 rng(7);
    const int paths = anchors / AnchorsPerPath;
    const int side = static_cast<int>(std::lround(std::sqrt(double(paths))));
    std::vector<TCvLine> lines;
    for (int i = 0; i < paths; ++i)
        lines.push_back(loop({10.0 * (i % side), 10.0 * (i / side)}, rng));
    return lines;
}

struct Scene {
    TCvOptions options;
    TCvWindow window{&options};
    QImageSurface surface{Width, Height};

    explicit Scene(int anchors) {
        window.SetSurface(&surface);
        window.Resize(Width, Height);
        window.HandleCreated();
        window.Document.Lines = drawing(anchors);
        window.FitAll();
    }
    void paint() {
        window.Paint({0, 0, Width, Height});
        benchmark::DoNotOptimize(surface.image().constBits());
    }
};

void repaint(benchmark::State& state, int anchors, double zoom) {
    ensureApp();
    Scene scene(anchors);
    if (zoom != 1) scene.window.ZoomTo(scene.window.Scale() * zoom);
    for (auto _ : state) scene.paint();
    state.counters["anchors"] = anchors;
}

void BM_FitAll_10k(benchmark::State& s) {
    repaint(s, 10'000, 1);
}
void BM_FitAll_1M(benchmark::State& s) {
    repaint(s, 1'000'000, 1);
}
// Ten times the fit-all scale shows a tenth of each side: about 1% of the drawing.
void BM_Zoomed_1M(benchmark::State& s) {
    repaint(s, 1'000'000, 10);
}

// One idle mouse move over the fit-all view of the large drawing, hit test included; compare
// with BM_FitAll_1M.
void BM_HoverMove_1M(benchmark::State& s) {
    ensureApp();
    Scene scene(1'000'000);
    int x = Width / 3;
    for (auto _ : s) {
        x = x == Width / 3 ? Width / 3 + 1 : Width / 3;
        scene.window.MouseMove({{x, Height / 2}, MouseButton::None, 0});
    }
}

} // namespace

BENCHMARK(BM_HoverMove_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitAll_10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitAll_1M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Zoomed_1M)->Unit(benchmark::kMillisecond);
