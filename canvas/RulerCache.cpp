#include "canvas/RulerCache.h"

#include "canvas/ViewTransform.h"
#include "canvas/Window.h"

#include <cmath>
#include <cstdio>

namespace plumex {

namespace {

constexpr Color ButtonShadow = 0xA0A0A0;
constexpr int Thick = RulerWidth;

std::string label(double v) {
    char text[32];
    // Adding zero turns the negated 0 of the vertical ruler into a plain "0".
    std::snprintf(text, sizeof text, "%g", v + 0.0);
    return text;
}

} // namespace

void RulerCache::build(const Surface& like, const RulerLayout& l, const ColorTable& colors) {
    layout_ = l;
    length_ = 3 * std::max(l.clientLength, 1);
    strip_ = l.horizontal ? like.createBuffer(length_, Thick) : like.createBuffer(Thick, length_);
    Surface& s = *strip_;
    s.fillRect({0, 0, s.width(), s.height()}, colors[13]);
    const double factor = l.scale > 0.1 ? 1 : 0.001;
    const double pixelStep = l.scale * l.step;
    const double base = double(l.clientLength) + l.origin;
    const int end = l.horizontal ? length_ : length_ - 30;
    const FontSpec font = l.horizontal ? FontSpec{"Courier New", 10, false, 0}
                                       : FontSpec{"Courier New", 11, false, 900};
    if (pixelStep > 0 && std::isfinite(pixelStep)) {
        for (long long i = static_cast<long long>(-base / pixelStep);; ++i) {
            const int x = clampToPixel(double(i) * pixelStep + base);
            if (x >= end) break;
            const Color pen = i == 0 ? colors[10] : colors[14];
            const bool major = i % l.major == 0;
            const double value = double(i) * l.step * factor;
            const int tickFrom = major ? 0 : 9;
            if (l.horizontal) {
                s.text({major ? x + 2 : x, -2}, label(value), font, colors[14]);
                s.line({x, tickFrom}, {x, Thick}, pen);
            } else {
                s.text({0, major ? x - 2 : x}, label(-value), font, colors[14]);
                s.line({tickFrom, x}, {Thick, x}, pen);
            }
        }
    }
    if (l.horizontal)
        s.line({0, 12}, {length_, 12}, ButtonShadow);
    else
        s.line({12, 0}, {12, length_}, ButtonShadow);
}

int RulerCache::toStrip(int windowPixel, int origin) const {
    return windowPixel - origin + layout_.origin + layout_.clientLength;
}

bool RulerCache::covers(int from, int to, int origin) const {
    if (!strip_) return false;
    const long long a =
        static_cast<long long>(from) - origin + layout_.origin + layout_.clientLength;
    const long long b = a + (to - from);
    return a >= 0 && b <= length_;
}

void RulerCache::copyTo(Surface& target, int from, int to, int origin) const {
    const int a = toStrip(from, origin);
    const int b = a + (to - from);
    if (layout_.horizontal)
        target.copyFrom(*strip_, {a, 0, b, Thick}, {from, 0});
    else
        target.copyFrom(*strip_, {0, a, Thick, b}, {0, from});
}

} // namespace plumex
