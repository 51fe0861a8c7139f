// The bounds of the selection and of the drawing measured only where a path can reach a side,
// held bit for bit against measuring every path, over drawings made to tie, to curve past their
// anchors and to hold coordinates that are not finite.

#include "model/Document.h"
#include "model/UnitedBounds.h"
#include "model/ViewFit.h"
#include "random_drawing.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

using namespace plumex;

namespace {

class Drawings {
public:
    explicit Drawings(unsigned seed) : r_(seed) {}

    std::vector<TCvLine> drawing() {
        const int kind = r_.integer(0, 3);
        std::vector<TCvLine> out(static_cast<std::size_t>(r_.integer(0, 24)));
        const double scale = std::ldexp(1.0, r_.integer(-60, 60));
        for (TCvLine& l : out) {
            l = kind == 0 ? r_.line(4) : kind == 1 ? gridLine() : loop();
            for (TCvPoint& p : l.points)
                for (TCvCoord* c : {&p.anchor, &p.inHandle, &p.outHandle}) {
                    c->x *= scale;
                    c->y *= scale;
                }
            l.selected = r_.integer(0, 3) != 0;
        }
        if (!out.empty() && r_.integer(0, 15) == 0) spoil(out);
        return out;
    }

private:
    // Few distinct coordinates: many paths share each side, zeros of both signs among them.
    TCvLine gridLine() {
        TCvLine l;
        auto v = [&]() -> double {
            const int k = r_.integer(-3, 3);
            return k == 0 && r_.coin() ? -0.0 : static_cast<double>(k);
        };
        for (int i = r_.integer(0, 5); i > 0; --i)
            l.points.emplace_back(TCvCoord{v(), v()}, TCvCoord{v(), v()}, TCvCoord{v(), v()});
        l.closed = r_.coin();
        return l;
    }
    // A round loop whose curves bulge past its anchors, as drawn shapes do.
    TCvLine loop() {
        TCvLine l;
        const TCvCoord c = {r_.integer(-20, 20) * 0.5, r_.integer(-20, 20) * 0.5};
        const double radius = r_.integer(1, 8) * 0.25;
        const int n = r_.integer(2, 9);
        const double k = radius * (4.0 / 3) * std::tan(std::numbers::pi / (2 * n));
        for (int i = 0; i < n; ++i) {
            const double t = 2 * std::numbers::pi * i / n;
            const TCvCoord a{c.x + radius * std::cos(t), c.y + radius * std::sin(t)};
            const TCvCoord d{-std::sin(t) * k, std::cos(t) * k};
            l.points.emplace_back(a, TCvCoord{a.x - d.x, a.y - d.y},
                                  TCvCoord{a.x + d.x, a.y + d.y});
        }
        l.closed = r_.coin();
        return l;
    }
    void spoil(std::vector<TCvLine>& out) {
        TCvLine& l = out[static_cast<std::size_t>(r_.integer(0, static_cast<int>(out.size()) - 1))];
        if (l.points.empty()) return;
        const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
        TCvPoint& p = l.points[static_cast<std::size_t>(
            r_.integer(0, static_cast<int>(l.points.size()) - 1))];
        (r_.coin() ? p.inHandle : p.anchor).y = bad[r_.integer(0, 2)];
    }

    plumex::testing::RandomDrawing r_;
};

bool sameBits(const std::optional<TCvRect>& a, const std::optional<TCvRect>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    for (auto [x, y] : {std::pair{a->left, b->left},
                        {a->right, b->right},
                        {a->top, b->top},
                        {a->bottom, b->bottom}})
        if (std::bit_cast<std::uint64_t>(x) != std::bit_cast<std::uint64_t>(y)) return false;
    return true;
}

} // namespace

TEST(UnitedBounds, EqualsMeasuringEveryPath) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        Drawings d(seed);
        const std::vector<TCvLine> lines = d.drawing();
        ASSERT_TRUE(sameBits(unitedBounds(lines, Counted::Selected),
                             unitedBoundsExact(lines, Counted::Selected)))
            << "seed " << seed;
        ASSERT_TRUE(sameBits(drawingBounds(lines), unitedBoundsExact(lines, Counted::All)))
            << "seed " << seed;

        // The document's Select All, and a move of one path afterwards, answer the same.
        TCvDocument doc;
        doc.Lines = lines;
        doc.SelectAll();
        if (doc.CountSelected() == 0) continue;
        const auto exact = [&] { return unitedBoundsExact(doc.Lines.vector(), Counted::Selected); };
        ASSERT_TRUE(sameBits(doc.SelectionBounds, exact())) << "seed " << seed;
        doc.Lines[doc.Lines.size() / 2].Translate({-3.5, 2});
        doc.UpdateSelectionBounds();
        ASSERT_TRUE(sameBits(doc.SelectionBounds, exact())) << "seed " << seed;
    }
}

// The document keeps the bounds of every path while only selections are written: through
// sessions of Select All, deselection, single selections, moves, locks and inserted paths,
// what it answers stays that of measuring every path, and so does the selection's.
TEST(UnitedBounds, KeptBoundsFollowTheDrawing) {
    for (unsigned seed = 1; seed <= 100; ++seed) {
        Drawings d(seed);
        plumex::testing::RandomDrawing r(seed);
        TCvDocument doc;
        doc.Lines = d.drawing();
        for (int step = 0; step < 40; ++step) {
            const std::size_t n = doc.Lines.size();
            const auto pick = [&] {
                return static_cast<std::size_t>(r.integer(0, static_cast<int>(n) - 1));
            };
            switch (r.integer(0, 6)) {
            case 0:
                doc.SelectAll();
                break;
            case 1:
                doc.DeselectAll();
                break;
            case 2:
                if (n) doc.Lines.selectPath(pick(), r.coin());
                break;
            case 3:
                if (n) doc.Lines[pick()].Translate({r.integer(-8, 8) * 0.75, 1.5});
                break;
            case 4:
                if (n) doc.Lines[pick()].locked ^= 1;
                break;
            case 5:
                doc.Lines.push_back(r.line(5));
                break;
            default:
                break;
            }
            if (r.coin()) continue; // now and then several writes between two looks
            ASSERT_TRUE(
                sameBits(doc.AllBounds(), unitedBoundsExact(doc.Lines.vector(), Counted::All)))
                << "seed " << seed << " step " << step;
            const TCvRect before = doc.SelectionBounds;
            doc.UpdateSelectionBounds();
            const auto selected = unitedBoundsExact(doc.Lines.vector(), Counted::Selected);
            ASSERT_TRUE(sameBits(doc.SelectionBounds, selected ? *selected : before))
                << "seed " << seed << " step " << step;
        }
    }
}
