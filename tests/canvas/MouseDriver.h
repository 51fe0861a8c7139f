#pragma once
// Drives a TCvWindow with its own input events, positions given in drawing units.

#include "FakeHost.h"
#include "canvas/Window.h"

#include <gtest/gtest.h>

namespace plumex::testing {

struct MouseFixture : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    FakeHost host;

    void SetUp() override {
        o.SnapGrid = false;
        o.SnapGuides = false;
        w.SetHost(&host);
        w.Resize(413, 313);
        w.HandleCreated();
    }
    PixelPoint px(TCvCoord p) const { return w.UnitToPixel(p); }
    static unsigned held(MouseButton b) {
        return b == MouseButton::Left ? ssLeft : b == MouseButton::Right ? ssRight : ssMiddle;
    }
    void moveTo(PixelPoint p, unsigned shift = 0) { w.MouseMove({p, MouseButton::None, shift}); }
    void moveU(TCvCoord p, unsigned shift = 0) { moveTo(px(p), shift); }
    void down(PixelPoint p, MouseButton b = MouseButton::Left, unsigned shift = 0) {
        w.MouseDown({p, b, shift | held(b)});
    }
    void up(PixelPoint p, MouseButton b = MouseButton::Left, unsigned shift = 0) {
        w.MouseUp({p, b, shift});
    }
    // Hover, press, move in steps, release.
    void drag(PixelPoint from, PixelPoint to, unsigned shift = 0,
              MouseButton b = MouseButton::Left) {
        moveTo(from, shift);
        down(from, b, shift);
        const PixelPoint start = w.Press().pressPixel; // a grabbed anchor moves the press
        for (int i = 1; i <= 4; ++i)
            moveTo(
                PixelPoint{start.x + (to.x - start.x) * i / 4, start.y + (to.y - start.y) * i / 4},
                shift | held(b));
        up(to, b, shift);
    }
    void dragU(TCvCoord from, TCvCoord to, unsigned shift = 0) { drag(px(from), px(to), shift); }
    void click(PixelPoint p, unsigned shift = 0, MouseButton b = MouseButton::Left) {
        moveTo(p, shift);
        down(p, b, shift);
        up(p, b, shift);
    }
    void clickU(TCvCoord p, unsigned shift = 0) { click(px(p), shift); }
    std::size_t undoSteps() const { return w.Document.UndoBuffer.current(); }
};

} // namespace plumex::testing
