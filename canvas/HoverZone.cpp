#include "canvas/HoverZone.h"

#include <algorithm>
#include <cstdlib>

namespace plumex {

namespace {

constexpr int CentreRadius = 4;
constexpr int OuterReach = 11;
constexpr int EdgeBand = 4;
constexpr int CornerSize = 21;
constexpr int ShearReach = 15;
constexpr int ShearMinimum = 32;

HoverZone shearZone(const PixelRect& r, PixelPoint centre, PixelPoint m) {
    const int w = std::abs(r.width());
    const int h = std::abs(r.height());
    const bool vertical = h >= ShearMinimum && std::abs(m.y - centre.y) <= ShearReach;
    const bool horizontal = w >= ShearMinimum && std::abs(m.x - centre.x) <= ShearReach;
    if (m.x < r.left - EdgeBand && vertical) return HoverZone::ShearLeft;
    if (m.x > r.right + EdgeBand && vertical) return HoverZone::ShearRight;
    if (m.y < r.top - EdgeBand && horizontal) return HoverZone::ShearTop;
    if (m.y > r.bottom + EdgeBand && horizontal) return HoverZone::ShearBottom;
    return HoverZone::None;
}

} // namespace

HoverZone hoverZone(const PixelRect& r, PixelPoint centre, PixelPoint m) {
    const long dx = m.x - centre.x;
    const long dy = m.y - centre.y;
    if (dx * dx + dy * dy <= CentreRadius * CentreRadius) return HoverZone::Centre;
    if (m.x < r.left - OuterReach || m.x > r.right + OuterReach || m.y < r.top - OuterReach ||
        m.y > r.bottom + OuterReach)
        return HoverZone::None;
    const int w = std::abs(r.width());
    const int h = std::abs(r.height());
    const int mx = std::min(w, EdgeBand);
    const int my = std::min(h, EdgeBand);
    const bool insideX = r.left + mx < m.x && m.x < r.right - mx;
    const bool insideY = r.top + my < m.y && m.y < r.bottom - my;
    if (insideX && insideY) return HoverZone::Inside;
    const int cx = w < CornerSize ? mx : CornerSize;
    const int cy = h < CornerSize ? my : CornerSize;
    const bool alongEdge = insideX || insideY;
    const bool left = m.x <= r.left + cx;
    const bool right = m.x >= r.right - cx;
    const bool top = m.y <= r.top + cy;
    const bool bottom = m.y >= r.bottom - cy;
    if (left && top) return alongEdge ? HoverZone::Rotate : HoverZone::TopLeft;
    if (left && bottom) return alongEdge ? HoverZone::Rotate : HoverZone::BottomLeft;
    if (right && top) return alongEdge ? HoverZone::Rotate : HoverZone::TopRight;
    if (right && bottom) return alongEdge ? HoverZone::Rotate : HoverZone::BottomRight;
    if (m.x < r.left - EdgeBand || m.x > r.right + EdgeBand || m.y < r.top - EdgeBand ||
        m.y > r.bottom + EdgeBand)
        return shearZone(r, centre, m);
    if (!insideX) return m.x <= centre.x ? HoverZone::Left : HoverZone::Right;
    return m.y <= centre.y ? HoverZone::Top : HoverZone::Bottom;
}

std::optional<CursorShape> zoneCursor(HoverZone zone) {
    switch (zone) {
    case HoverZone::Centre:
        return CursorShape::Snap;
    case HoverZone::Rotate:
        return CursorShape::Rotate;
    case HoverZone::Left:
    case HoverZone::Right:
    case HoverZone::ShearTop:
    case HoverZone::ShearBottom:
        return CursorShape::SizeWE;
    case HoverZone::Top:
    case HoverZone::Bottom:
    case HoverZone::ShearLeft:
    case HoverZone::ShearRight:
        return CursorShape::SizeNS;
    case HoverZone::TopLeft:
    case HoverZone::BottomRight:
        return CursorShape::SizeNWSE;
    case HoverZone::TopRight:
    case HoverZone::BottomLeft:
        return CursorShape::SizeNESW;
    default:
        return std::nullopt;
    }
}

} // namespace plumex
