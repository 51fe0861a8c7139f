// The painting at the window's level of detail against the exact painting of every path.
#include "canvas/FakeHost.h"
#include "canvas/InkLayer.h"
#include "canvas/Window.h"
#include "canvas/qt/QImageSurface.h"

#include "QtTestApp.h"
#include "testing.h"

#include <cmath>
#include <random>
#include <string>

using namespace plumex;

namespace {

constexpr int Size = 240;

// Random paths of a few far-apart anchors, with some selected, locked, open or closed, and
// with `loops` dense loops of 100 anchors (which the level of detail inks), a few of them with
// anchors selected.
std::vector<TCvLine> randomDrawing(std::mt19937& rng, int paths, int loops) {
    std::uniform_real_distribution<double> pos(-1, 1), handle(-0.2, 0.2), unit(0, 1);
    std::vector<TCvLine> lines;
    for (int k = 0; k < paths; ++k) {
        TCvLine l;
        const int n = 2 + static_cast<int>(unit(rng) * 6);
        for (int i = 0; i < n; ++i) {
            const TCvCoord a{pos(rng), pos(rng)};
            l.points.emplace_back(a, TCvCoord{a.x + handle(rng), a.y + handle(rng)},
                                  TCvCoord{a.x + handle(rng), a.y + handle(rng)});
            l.points.back().selected = unit(rng) < 0.3;
        }
        l.closed = unit(rng) < 0.5;
        l.selected = unit(rng) < 0.3;
        l.locked = !l.selected && unit(rng) < 0.15;
        lines.push_back(l);
    }
    for (int k = 0; k < loops; ++k) {
        const TCvCoord c{pos(rng), pos(rng)};
        const double r = 0.02 + 0.1 * unit(rng);
        const bool someSelected = unit(rng) < 0.3;
        TCvLine l;
        for (int i = 0; i < 100; ++i) {
            const double a = 2 * M_PI * i / 100;
            const TCvCoord p{c.x + r * std::cos(a), c.y + r * std::sin(a)};
            const TCvCoord t{-std::sin(a) * r * 0.03, std::cos(a) * r * 0.03};
            l.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y},
                                  TCvCoord{p.x + t.x, p.y + t.y});
            if (someSelected) l.points.back().selected = unit(rng) < 0.2;
        }
        l.closed = unit(rng) < 0.7;
        l.selected = unit(rng) < 0.3;
        lines.insert(lines.begin() + static_cast<long>(unit(rng) * double(lines.size())), l);
    }
    return lines;
}

struct Pictures {
    TCvOptions o;
    TCvWindow w{&o};
    QImageSurface detailed{Size, Size};
    QImageSurface exact{Size, Size};

    Pictures() {
        plumex::testing::ensureQtApp();
        o.ShowRuler = false;
        w.SetSurface(&detailed);
        w.Resize(Size, Size);
        w.HandleCreated();
    }
    void paint(double scale) {
        w.ZoomTo(scale);
        w.SetLevelOfDetail(true);
        w.SetSurface(&detailed);
        w.Paint({0, 0, Size, Size});
        w.SetLevelOfDetail(false);
        w.SetSurface(&exact);
        w.Paint({0, 0, Size, Size});
    }
    int differences() const {
        int n = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) n += detailed.pixel({x, y}) != exact.pixel({x, y});
        return n;
    }
    // Pixels of `a` whose colour `b` has nowhere within `radius`: what one picture shows that
    // the other does not show near by.
    static int unmatched(const QImageSurface& a, const QImageSurface& b, int radius) {
        int n = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                const Color c = a.pixel({x, y});
                if (c == b.pixel({x, y})) continue;
                bool found = false;
                for (int dy = -radius; dy <= radius && !found; ++dy)
                    for (int dx = -radius; dx <= radius && !found; ++dx)
                        found = b.pixel({x + dx, y + dy}) == c;
                n += !found;
            }
        return n;
    }
};

} // namespace

// At the scales a user edits at, every path is drawn as it always was: the pictures are the
// same pixel for pixel, whatever the states, the tool and the grid.
TEST(LevelOfDetail, NormalZoomPaintsExactlyTheSamePixels) {
    Pictures p;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        p.w.Document.Lines = randomDrawing(rng, 12, 0);
        p.w.Document.SelectionChanged();
        p.w.SetTool(seed % 2 ? ToolKind::Object : ToolKind::Anchor);
        p.o.ShowGrid = seed % 3 != 0;
        for (double scale : {60.0, 100.0, 250.0, 900.0}) {
            p.paint(scale);
            EXPECT_EQ(p.differences(), 0) << "seed " << seed << " scale " << scale;
        }
    }
}

// Zoomed out until loops of 100 anchors are a few pixels across, the inked picture keeps the
// colours of the exact one within two pixels, and adds none that the exact one lacks there,
// but for a pixel in a thousand (where a run of hollow squares ends); the sparse paths among
// them, drawn before and after in the same order, stay exact.
TEST(LevelOfDetail, DensePathsStayWithinTwoPixelsOfTheExactPicture) {
    Pictures p;
    int inked = 0;
    for (unsigned seed = 1; seed <= 10; ++seed) {
        std::mt19937 rng(seed);
        p.w.Document.Lines = randomDrawing(rng, 6, 30);
        p.w.Document.SelectionChanged();
        p.w.SetTool(seed % 2 ? ToolKind::Object : ToolKind::Anchor);
        for (double scale : {20.0, 50.0, 120.0, 400.0}) {
            p.paint(scale);
            inked += p.differences() > 0;
            EXPECT_LE(Pictures::unmatched(p.detailed, p.exact, 2), Size * Size / 1000)
                << "seed " << seed << " scale " << scale;
            EXPECT_LE(Pictures::unmatched(p.exact, p.detailed, 2), Size * Size / 1000)
                << "seed " << seed << " scale " << scale;
        }
    }
    EXPECT_GT(inked, 10); // the dense loops did go the inked way
}

// A large repaint is painted in two bands at once; the picture is the one painted on a single
// thread, pixel for pixel. Run under ThreadSanitizer (PLUMEX_TSAN) this also checks that the
// bands share nothing they write.
TEST(LevelOfDetail, TwoBandsPaintTheSinglePicture) {
    plumex::testing::ensureQtApp();
    TCvOptions o;
    TCvWindow w{&o};
    QImageSurface banded{400, 300}, single{400, 300};
    w.SetSurface(&banded);
    w.Resize(400, 300);
    w.HandleCreated();
    w.VerticalGuides() = {0.3};
    w.HorizontalGuides() = {0, -0.2};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        w.Document.Lines = randomDrawing(rng, 10, 40);
        w.Document.SelectionChanged();
        w.SetTool(seed % 2 ? ToolKind::Object : ToolKind::Anchor);
        for (double scale : {40.0, 150.0}) {
            w.ZoomTo(scale);
            w.SetPaintBands(2);
            w.SetSurface(&banded);
            w.Paint({0, 0, 400, 300});
            w.SetPaintBands(1);
            w.SetSurface(&single);
            w.Paint({0, 0, 400, 300});
            EXPECT_TRUE(banded.image() == single.image()) << "seed " << seed << " scale " << scale;
        }
    }
}

namespace {

// A window over a grid of squares that paints only what it invalidated, against a full repaint.
struct PartialRepaint {
    TCvOptions o;
    TCvWindow w{&o};
    plumex::testing::FakeHost host;
    QImageSurface shown{400, 300}, full{400, 300};

    PartialRepaint() {
        plumex::testing::ensureQtApp();
        o.ShowRuler = false;
        w.SetHost(&host);
        w.SetSurface(&shown);
        w.Resize(400, 300);
        w.HandleCreated();
        for (int i = 0; i < 24; ++i) {
            const double x = -1.7 + 0.6 * (i % 6), y = -1.2 + 0.7 * (i / 6);
            w.Document.Lines.push_back(plumex::testing::polyline(
                {{x, y}, {x + 0.3, y}, {x + 0.3, y + 0.3}, {x, y + 0.3}}, true));
        }
        w.Paint({0, 0, 400, 300});
    }
    PixelPoint at(int path) const {
        return w.UnitToPixel(w.Document.Lines[static_cast<std::size_t>(path)].points[1].anchor);
    }
    // Paints what was invalidated since the last call; the area painted, after checking that
    // the picture is the full repaint's.
    long long repaint(const std::string& what) {
        long long area = 0;
        for (const PixelRect& r : host.invalidated) {
            area += static_cast<long long>(r.width()) * r.height();
            w.Paint(r);
        }
        host.invalidated.clear();
        w.SetSurface(&full);
        w.Paint({0, 0, 400, 300});
        w.SetSurface(&shown);
        EXPECT_TRUE(shown.image() == full.image()) << what;
        return area;
    }
};

} // namespace

// A click that changes the selection repaints the paths it changed and the selection frame,
// not the window; painting only what it invalidated gives the picture of a full repaint.
TEST(LevelOfDetail, SelectionClicksRepaintOnlyWhatChanged) {
    PartialRepaint p;
    auto click = [&](int path, unsigned shift) {
        const PixelPoint at = p.at(path);
        p.host.invalidated.clear();
        p.w.MouseMove({at, MouseButton::None, shift});
        p.w.MouseDown({at, MouseButton::Left, shift | ssLeft});
        p.w.MouseUp({at, MouseButton::Left, shift});
        const long long area = p.repaint("path " + std::to_string(path));
        EXPECT_GT(area, 0) << "path " << path;
        EXPECT_LT(area, 400 * 300 / 2) << "path " << path;
    };
    click(7, 0);
    click(8, 0);        // the other one, next to it
    click(20, ssShift); // added far away: the frame grows over both
    click(20, ssShift); // and taken away again
    click(3, 0);
    EXPECT_EQ(p.w.Document.CountSelected(), 1);
}

// Each step of a drag and its release repaint the dragged path where it was and where it is and
// the selection helper: a move of the path by the object tool or of an anchor by the anchor
// tool, handles pulled out of an anchor (Ctrl), and a scale by the frame's corner.
TEST(LevelOfDetail, MoveDragStepsRepaintOnlyWhatMoved) {
    enum class Grip { Anchor, PullHandles, Corner };
    const struct {
        ToolKind tool;
        Grip grip;
    } drags[] = {{ToolKind::Object, Grip::Anchor},
                 {ToolKind::Anchor, Grip::Anchor},
                 {ToolKind::Anchor, Grip::PullHandles},
                 {ToolKind::Object, Grip::Corner}};
    for (const auto& d : drags) {
        PartialRepaint p;
        p.w.SetTool(d.tool);
        const std::string name = "tool " + std::to_string(toolIndex(d.tool)) + " grip " +
                                 std::to_string(static_cast<int>(d.grip));
        PixelPoint at = p.at(14);
        p.w.MouseMove({at, MouseButton::None, 0});
        p.w.MouseDown({at, MouseButton::Left, ssLeft});
        p.w.MouseUp({at, MouseButton::Left, 0});
        p.repaint("the selecting click");
        const TCvLine before = p.w.Document.Lines[14];
        unsigned keys = 0;
        if (d.grip == Grip::PullHandles) keys = ssCtrl;
        if (d.grip == Grip::Corner) {
            const PixelRect frame = p.w.UnitRectToPixelRect(p.w.Document.SelectionBounds);
            at = {frame.right + 6, frame.bottom + 6};
        }
        p.w.MouseMove({at, MouseButton::None, keys});
        p.w.MouseDown({at, MouseButton::Left, keys | ssLeft});
        for (const PixelPoint step : {PixelPoint{6, 0}, {6, 3}, {0, 9}, {-40, -30}, {1, 1}}) {
            at = {at.x + step.x, at.y + step.y};
            p.w.MouseMove({at, MouseButton::None, keys | ssLeft});
            const std::string what =
                name + " to " + std::to_string(at.x) + "," + std::to_string(at.y);
            const long long area = p.repaint(what);
            EXPECT_GT(area, 0) << what;
            EXPECT_LT(area, 400 * 300 / 4) << what;
        }
        p.w.MouseUp({at, MouseButton::Left, keys});
        const long long area = p.repaint(name + " the release");
        EXPECT_GT(area, 0) << name;
        EXPECT_LT(area, 400 * 300 / 4) << name;
        EXPECT_FALSE(p.w.Document.Lines[14] == before) << name;
        EXPECT_EQ(p.w.Document.UndoBuffer.current(), 1u) << name;
    }
}

// The ink layer numbers its colours a byte each: with more colours than a byte holds, what was
// inked goes on the buffer first, and the picture is that of the same pixels set one by one.
TEST(LevelOfDetail, InkWithMoreColoursThanABytePaintsEveryPixel) {
    plumex::testing::ensureQtApp();
    for (const qreal ratio : {1.0, 2.0}) {
        QImageSurface inked, direct;
        for (QImageSurface* s : {&inked, &direct}) {
            s->setDevicePixelRatio(ratio);
            s->ensureSize(40, 30);
            s->fillRect({0, 0, 40, 30}, 0xFFFFFF);
        }
        InkLayer ink;
        ink.begin({2, 3, 38, 27}, inked);
        std::mt19937 rng(5);
        for (int k = 0; k < 2000; ++k) {
            const PixelPoint p{static_cast<int>(rng() % 40), static_cast<int>(rng() % 30)};
            const Color c = static_cast<Color>(rng() % 600) * 0x1F3D;
            ink.dot(p, c & 0xFFFFFF);
            if (p.x >= 2 && p.x < 38 && p.y >= 3 && p.y < 27)
                direct.fillRect({p.x, p.y, p.x + 1, p.y + 1}, c & 0xFFFFFF);
        }
        ink.flush(inked);
        EXPECT_TRUE(inked.image() == direct.image()) << "ratio " << ratio;
    }
}
