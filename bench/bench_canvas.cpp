// Full repaints of a 1280 x 800 client area through the Qt surface: fit-all for drawings of
// 10,000 and 1,000,000 anchors, and zoomed in so that about 1% of the large drawing shows;
// then what a user waits for at the fitted view of the large drawing, each edit with the
// repaint it causes. CPU times are the whole process's, painting threads included.
#include "LoopDrawing.h"
#include "ResidentMemory.h"
#include "canvas/CanvasHost.h"
#include "canvas/Window.h"
#include "canvas/qt/QImageSurface.h"

#include <QGuiApplication>
#include <QRegion>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <time.h>

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

// Collects what the window invalidates, as the canvas widget does, so that an edit repaints
// only what it asked for.
class PendingHost : public CanvasHost {
public:
    QRegion pending;

    void invalidate(const PixelRect& r) override {
        pending += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top)
                       .intersected(QRect(0, 0, Width, Height));
    }
    void scroll(const PixelRect& r, int, int) override { invalidate(r); }
    void setCursor(CursorShape) override {}
    void captureMouse(bool) override {}
    void movePointer(PixelPoint) override {}
    int doubleClickWidth() const override { return 4; }
    MessageAnswer messageBox(const std::string&, MessageKind) override { return MessageAnswer::Ok; }
    std::optional<int> contextMenu(const std::vector<MenuEntry>&, PixelPoint) override {
        return std::nullopt;
    }
    std::optional<SizeAnswer> runSizeDialog(const SizeRequest&) override { return std::nullopt; }
    std::optional<GridSize> runGridSizeDialog(const GridSize&) override { return std::nullopt; }
};

struct Scene {
    TCvOptions options;
    TCvWindow window{&options};
    QImageSurface surface{Width, Height};
    PendingHost host;

    explicit Scene(int anchors) {
        window.SetHost(&host);
        window.SetSurface(&surface);
        window.Resize(Width, Height);
        window.HandleCreated();
        window.Document.Lines = bench::drawing(anchors);
        window.FitAll();
    }
    ~Scene() { window.SetHost(nullptr); }
    void paint() {
        host.pending = QRegion();
        window.Paint({0, 0, Width, Height});
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    // What the widget paints after an event: the areas invalidated since the last paint.
    // Answers the share of the window they cover.
    double paintPending() {
        const QRegion todo = host.pending;
        host.pending = QRegion();
        long pixels = 0;
        for (const QRect& r : todo) {
            window.Paint({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
            pixels += static_cast<long>(r.width()) * r.height();
        }
        benchmark::DoNotOptimize(surface.image().constBits());
        return static_cast<double>(pixels) / (Width * Height);
    }
};

void repaint(benchmark::State& state, int anchors, double zoom) {
    ensureApp();
    Scene scene(anchors);
    if (zoom != 1) scene.window.ZoomTo(scene.window.Scale() * zoom);
    // What the first repaint adds above the drawing: the buffers it keeps and its peak.
    const long added = bench::addedPeak([&] { scene.paint(); });
    for (auto _ : state) scene.paint();
    state.counters["anchors"] = anchors;
    state.counters["paint_MiB"] = static_cast<double>(added) / 1024;
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

// The floor of any repaint that looks at every point: reading each anchor and handle of the
// large drawing once and taking their bounds; compare with BM_FitAll_1M.
void BM_ReadPoints_1M(benchmark::State& s) {
    const std::vector<TCvLine> lines = bench::drawing(1'000'000);
    for (auto _ : s) {
        double lo = 0, hi = 0;
        for (const TCvLine& l : lines)
            for (const TCvPoint& p : l.points) {
                lo = std::min({lo, p.anchor.x, p.inHandle.x, p.outHandle.x});
                hi = std::max({hi, p.anchor.y, p.inHandle.y, p.outHandle.y});
            }
        benchmark::DoNotOptimize(lo);
        benchmark::DoNotOptimize(hi);
    }
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

// CPU time of what the window does between two events, without the repaint (which the fit-all
// figures measure): the editing figures set beside BM_FitAll_1M.
class CpuTimer {
public:
    CpuTimer() { start_ = now(); }
    double seconds() const { return now() - start_; }

private:
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
    }
    double start_;
};

MouseEvent leftDown(PixelPoint p) {
    return {p, MouseButton::Left, ssLeft};
}
MouseEvent leftUp(PixelPoint p) {
    return {p, MouseButton::Left, 0};
}

// The pixel of an anchor of path `path`, as a user would aim at it.
PixelPoint aimAt(const Scene& scene, int path) {
    return scene.window.UnitToPixel(
        scene.window.Document.Lines[static_cast<std::size_t>(path)].points[25].anchor);
}

// A click (press and release without moving) that selects one path of the 1,000,000-anchor
// drawing; each iteration selects the other of two paths, so every click changes the selection.
// Argument: the tool (0 the object tool, 1 the anchor tool, which selects the one anchor).
void BM_ClickSelect_1M(benchmark::State& state) {
    ensureApp();
    Scene scene(1'000'000);
    scene.window.SetTool(static_cast<ToolKind>(state.range(0)));
    const PixelPoint at[2] = {aimAt(scene, 4040), aimAt(scene, 6060)};
    int k = 0;
    for (auto _ : state) {
        k ^= 1;
        scene.window.MouseMove({at[k], MouseButton::None, 0}); // the hover, measured apart
        CpuTimer cpu;
        scene.window.MouseDown(leftDown(at[k]));
        scene.window.MouseUp(leftUp(at[k]));
        state.SetIterationTime(cpu.seconds());
    }
    if (scene.window.Document.CountSelected() != 1)
        state.SkipWithError("the click selected no path");
}

// Press on the selected path, three moves of a few pixels, release: one undo step each time.
// Argument: the tool, as for the click (the anchor tool moves the grabbed anchor).
void BM_MoveDrag_1M(benchmark::State& state) {
    ensureApp();
    Scene scene(1'000'000);
    scene.window.SetTool(static_cast<ToolKind>(state.range(0)));
    const PixelPoint start = aimAt(scene, 5050);
    scene.window.MouseMove({start, MouseButton::None, 0});
    scene.window.MouseDown(leftDown(start));
    scene.window.MouseUp(leftUp(start));
    PixelPoint at = start;
    int sign = 1;
    for (auto _ : state) {
        scene.window.MouseMove({at, MouseButton::None, 0});
        CpuTimer cpu;
        scene.window.MouseDown(leftDown(at));
        for (int step = 1; step <= 3; ++step) {
            at.x += sign * 4;
            scene.window.MouseMove({at, MouseButton::None, ssLeft});
        }
        scene.window.MouseUp(leftUp(at));
        state.SetIterationTime(cpu.seconds());
        sign = -sign;
    }
    const std::size_t steps = scene.window.Document.UndoBuffer.current();
    state.counters["undo_steps"] = static_cast<double>(steps);
    if (steps != static_cast<std::size_t>(state.iterations()))
        state.SkipWithError("not one undo step per drag");
}

// Each edit below ends with the repaint of what it invalidated, as in the editor;
// `painted` is the average share of the window repainted.
template <class Edit> void editAndRepaint(benchmark::State& state, Edit edit) {
    ensureApp();
    Scene scene(1'000'000);
    scene.paint();
    int k = 0;
    double painted = 0;
    for (auto _ : state) {
        edit(scene.window, k++);
        painted += scene.paintPending();
    }
    state.counters["painted"] = painted / static_cast<double>(std::max<long>(1, k));
}

// One zoom step in or out (the keypad + and - of the View menu), alternately.
void BM_ZoomStep_1M(benchmark::State& s) {
    editAndRepaint(s, [](TCvWindow& w, int k) { w.ZoomTo(w.Scale() * (k % 2 ? 0.5 : 2)); });
}
// Select All, then a click on nothing, alternately; the counters are the CPU milliseconds of
// each with its repaint.
void BM_SelectAll_1M(benchmark::State& state) {
    ensureApp();
    Scene scene(1'000'000);
    scene.paint();
    double seconds[2] = {0, 0};
    long k = 0;
    for (auto _ : state) {
        CpuTimer cpu;
        if (k % 2 == 0) {
            scene.window.Document.SelectAll();
            scene.window.Invalidate(); // every path changes colour
        } else {
            scene.window.SelectInRect({0, 0, 1, 1}, SelectMode::Replace);
        }
        scene.window.Changed();
        scene.paintPending();
        seconds[k++ % 2] += cpu.seconds();
    }
    state.counters["select_all_ms"] = 1000 * seconds[0] / static_cast<double>((k + 1) / 2);
    state.counters["deselect_ms"] =
        1000 * seconds[1] / static_cast<double>(std::max<long>(1, k / 2));
}
// Undo and Redo of a key move of one selected path, alternately: each repaints the path where
// it was and where it is, and the selection helper.
void BM_Undo_1M(benchmark::State& s) {
    editAndRepaint(s, [](TCvWindow& w, int k) {
        if (k == 0) {
            w.SelectOnly(5050);
            w.MoveSelectionByKey(KeyMove::Right, KeyStep::Normal);
        }
        if (k % 2 == 0)
            w.Undo();
        else
            w.Redo();
    });
}
// A move drag of one path by the object tool: press, three moves and the release, with the
// repaint of what each invalidated; `painted` as for the edits above, per event.
void BM_MoveDragRepaint_1M(benchmark::State& state) {
    ensureApp();
    Scene scene(1'000'000);
    scene.paint();
    const PixelPoint start = aimAt(scene, 5050);
    PixelPoint at = start;
    int sign = 1;
    double painted = 0;
    for (auto _ : state) {
        scene.window.MouseMove({at, MouseButton::None, 0});
        scene.window.MouseDown(leftDown(at));
        painted += scene.paintPending();
        for (int step = 1; step <= 3; ++step) {
            at.x += sign * 4;
            scene.window.MouseMove({at, MouseButton::None, ssLeft});
            painted += scene.paintPending();
        }
        scene.window.MouseUp(leftUp(at));
        painted += scene.paintPending();
        sign = -sign;
    }
    state.counters["painted"] =
        painted / static_cast<double>(5 * std::max<long>(1, state.iterations()));
}

} // namespace

BENCHMARK(BM_ZoomStep_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_SelectAll_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Undo_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_MoveDragRepaint_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ClickSelect_1M)->Unit(benchmark::kMillisecond)->UseManualTime()->Arg(0)->Arg(1);
BENCHMARK(BM_MoveDrag_1M)->Unit(benchmark::kMillisecond)->UseManualTime()->Arg(0)->Arg(1);
BENCHMARK(BM_HoverMove_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitAll_10k)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FitAll_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadPoints_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Zoomed_1M)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
