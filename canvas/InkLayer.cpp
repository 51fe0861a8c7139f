#include "canvas/InkLayer.h"

#include "canvas/Surface.h"

#include <algorithm>
#include <cstdlib>

namespace plumex {

void InkLayer::begin(const PixelRect& area, Surface& target) {
    area_ = area.empty() ? PixelRect{} : area;
    stride_ = area_.width();
    pixels_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(area_.height()), 0);
    palette_.assign(1, 0);
    lastIndex_ = 0;
    target_ = &target;
    dirty_ = {};
}

std::uint8_t InkLayer::index(Color c) {
    if (lastIndex_ && c == lastColor_) return lastIndex_;
    auto at = std::find(palette_.begin() + 1, palette_.end(), c);
    if (at == palette_.end()) {
        if (palette_.size() > 255) {
            // Everything inked so far goes on the target, so the numbers can start again.
            if (target_) flush(*target_);
            palette_.assign(1, 0);
        }
        palette_.push_back(c);
        at = palette_.end() - 1;
    }
    lastColor_ = c;
    lastIndex_ = static_cast<std::uint8_t>(at - palette_.begin());
    return lastIndex_;
}

void InkLayer::mark(const PixelRect& r) {
    if (dirty_.empty())
        dirty_ = r;
    else
        dirty_ = {std::min(dirty_.left, r.left), std::min(dirty_.top, r.top),
                  std::max(dirty_.right, r.right), std::max(dirty_.bottom, r.bottom)};
}

void InkLayer::dot(PixelPoint p, Color c) {
    if (!area_.contains(p)) return;
    const std::uint8_t i = index(c);
    std::uint8_t& px = row(p.y)[p.x - area_.left];
    if (px == i) return;
    px = i;
    mark({p.x, p.y, p.x + 1, p.y + 1});
}

void InkLayer::fill(const PixelRect& r, Color c) {
    const PixelRect v = intersect(r, area_);
    if (v.empty()) return;
    const std::uint8_t i = index(c);
    for (int y = v.top; y < v.bottom; ++y) {
        std::uint8_t* p = row(y) - area_.left;
        std::fill(p + v.left, p + v.right, i);
    }
    mark(v);
}

void InkLayer::rectangle(const PixelRect& r, Color pen, Color fill) {
    if (r.empty()) return;
    InkLayer::fill(r, fill);
    if (pen == fill) return;
    InkLayer::fill({r.left, r.top, r.right, r.top + 1}, pen);
    InkLayer::fill({r.left, r.bottom - 1, r.right, r.bottom}, pen);
    InkLayer::fill({r.left, r.top, r.left + 1, r.bottom}, pen);
    InkLayer::fill({r.right - 1, r.top, r.right, r.bottom}, pen);
}

void InkLayer::line(PixelPoint from, PixelPoint to, Color c) {
    const long long dx = std::llabs(static_cast<long long>(to.x) - from.x);
    const long long dy = std::llabs(static_cast<long long>(to.y) - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    const long long steps = std::max(dx, dy);
    if (steps == 0) return;
    const int minX = std::min(from.x, to.x), maxX = std::max(from.x, to.x);
    const int minY = std::min(from.y, to.y), maxY = std::max(from.y, to.y);
    if (maxX < area_.left || minX >= area_.right || maxY < area_.top || minY >= area_.bottom)
        return;
    long long err = dx - dy;
    PixelPoint p = from;
    for (long long i = 0; i < steps; ++i) {
        dot(p, c);
        const long long e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            p.x += sx;
        }
        if (e2 < dx) {
            err += dx;
            p.y += sy;
        }
    }
}

void InkLayer::flush(Surface& s) {
    if (dirty_.empty()) return;
    const PixelRect d = dirty_;
    dirty_ = {};
    s.overlay(d, row(d.top) + (d.left - area_.left), stride_, palette_);
    for (int y = d.top; y < d.bottom; ++y) {
        std::uint8_t* p = row(y) - area_.left;
        std::fill(p + d.left, p + d.right, std::uint8_t{0});
    }
}

} // namespace plumex
