#pragma once
// The paths of one repaint at the level of detail the window can show. A path drawn large
// enough goes to the surface exactly as DrawLine draws it. A dense one, where its anchor
// squares would overlap by more than half on average, or whose curve fits in a pixel, is inked
// instead: its curves flattened to a pixel, consecutive anchor squares that overlap by
// more than half drawn once, and a path within one pixel a single dot.

#include "app/ColorTable.h"
#include "canvas/InkLayer.h"
#include "canvas/PathPainter.h"
#include "canvas/Surface.h"
#include "canvas/ViewTransform.h"
#include "model/Path.h"

#include <vector>

namespace plumex {

class LinePainter {
public:
    // `ink` must have begun over the repaint's rectangle; `detail` off draws every path exactly.
    LinePainter(Surface& s, InkLayer& ink, const ViewTransform& view, const ColorTable& colors,
                bool detail = true);
    void draw(const TCvLine& line, const LineStyle& style);
    // Lays the inked paths over the surface; call before anything else draws on it.
    void flush() { ink_.flush(s_); }

    // Whether a path of `anchors` anchors whose control points span `box` is inked.
    static bool dense(const PixelRect& box, int anchors, int anchorSize);

private:
    void inkLine(const TCvLine& line, const LineStyle& style);
    void chooseSquares(const TCvLine& line, int anchorSize);

    struct Square {
        PixelPoint at;
        Color pen, fill;
        int anchor;
    };

    Surface& s_;
    InkLayer& ink_;
    ViewTransform view_;
    const ColorTable& colors_;
    bool detail_;
    std::vector<PixelPoint> pts_;
    std::vector<Square> squares_; // the anchor squares to ink, in drawing order
    bool anySelected_ = true;     // of the path last converted
};

} // namespace plumex
