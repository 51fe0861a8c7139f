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

int shearZone(const PixelRect& r, PixelPoint centre, PixelPoint m) {
    const int w = std::abs(r.width());
    const int h = std::abs(r.height());
    const bool vertical = h >= ShearMinimum && std::abs(m.y - centre.y) <= ShearReach;
    const bool horizontal = w >= ShearMinimum && std::abs(m.x - centre.x) <= ShearReach;
    if (m.x < r.left - EdgeBand && vertical) return zoneShearLeft;
    if (m.x > r.right + EdgeBand && vertical) return zoneShearRight;
    if (m.y < r.top - EdgeBand && horizontal) return zoneShearTop;
    if (m.y > r.bottom + EdgeBand && horizontal) return zoneShearBottom;
    return zoneNone;
}

} // namespace

int hoverZone(const PixelRect& r, PixelPoint centre, PixelPoint m) {
    const long dx = m.x - centre.x;
    const long dy = m.y - centre.y;
    if (dx * dx + dy * dy <= CentreRadius * CentreRadius) return zoneCentre;
    if (m.x < r.left - OuterReach || m.x > r.right + OuterReach || m.y < r.top - OuterReach ||
        m.y > r.bottom + OuterReach)
        return zoneNone;
    const int w = std::abs(r.width());
    const int h = std::abs(r.height());
    const int mx = std::min(w, EdgeBand);
    const int my = std::min(h, EdgeBand);
    const bool insideX = r.left + mx < m.x && m.x < r.right - mx;
    const bool insideY = r.top + my < m.y && m.y < r.bottom - my;
    if (insideX && insideY) return zoneInside;
    const int cx = w < CornerSize ? mx : CornerSize;
    const int cy = h < CornerSize ? my : CornerSize;
    const bool alongEdge = insideX || insideY;
    const bool left = m.x <= r.left + cx;
    const bool right = m.x >= r.right - cx;
    const bool top = m.y <= r.top + cy;
    const bool bottom = m.y >= r.bottom - cy;
    if (left && top) return alongEdge ? zoneRotate : zoneTopLeft;
    if (left && bottom) return alongEdge ? zoneRotate : zoneBottomLeft;
    if (right && top) return alongEdge ? zoneRotate : zoneTopRight;
    if (right && bottom) return alongEdge ? zoneRotate : zoneBottomRight;
    if (m.x < r.left - EdgeBand || m.x > r.right + EdgeBand || m.y < r.top - EdgeBand ||
        m.y > r.bottom + EdgeBand)
        return shearZone(r, centre, m);
    if (!insideX) return m.x <= centre.x ? zoneLeft : zoneRight;
    return m.y <= centre.y ? zoneTop : zoneBottom;
}

std::optional<CursorShape> zoneCursor(int zone) {
    switch (zone) {
    case zoneCentre:
        return CursorShape::Snap;
    case zoneRotate:
        return CursorShape::Rotate;
    case zoneLeft:
    case zoneRight:
    case zoneShearTop:
    case zoneShearBottom:
        return CursorShape::SizeWE;
    case zoneTop:
    case zoneBottom:
    case zoneShearLeft:
    case zoneShearRight:
        return CursorShape::SizeNS;
    case zoneTopLeft:
    case zoneBottomRight:
        return CursorShape::SizeNWSE;
    case zoneTopRight:
    case zoneBottomLeft:
        return CursorShape::SizeNESW;
    default:
        return std::nullopt;
    }
}

} // namespace plumex
