// Full repaints of a 1280 x 800 client area through the Qt surface: fit-all for drawings of
// 10,000 and 1,000,000 anchors, and zoomed in so that about 1% of the large drawing shows.
#include "LoopDrawing.h"
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

struct Scene {
    TCvOptions options;
    TCvWindow window{&options};
    QImageSurface surface{Width, Height};

    explicit Scene(int anchors) {
        window.SetSurface(&surface);
        window.Resize(Width, Height);
        window.HandleCreated();
        window.Document.Lines = bench::drawing(anchors);
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
