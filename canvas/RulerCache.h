#pragma once
// One ruler strip drawn ahead for three client lengths, so scrolling copies ticks and labels
// instead of drawing them again.

#include "app/ColorTable.h"
#include "canvas/Surface.h"

#include <memory>

namespace plumex {

struct RulerLayout {
    bool horizontal = true;
    int clientLength = 0; // client width (horizontal) or height (vertical)
    int origin = 0;       // origin.x or origin.y of the view
    double scale = 100;
    double step = 0.5; // drawing units between ticks
    int major = 2;     // every major-th tick is long
};

class RulerCache {
public:
    void build(const Surface& like, const RulerLayout& layout, const ColorTable& colors);
    bool valid() const { return strip_ != nullptr; }
    // The window span [from, to) along the ruler lies in the strip, for the current origin.
    bool covers(int from, int to, int origin) const;
    // Copies the window span [from, to) out of the strip.
    void copyTo(Surface& target, int from, int to, int origin) const;

private:
    int toStrip(int windowPixel, int origin) const;

    std::unique_ptr<Surface> strip_;
    RulerLayout layout_;
    int length_ = 0;
};

} // namespace plumex
