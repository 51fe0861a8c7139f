#include "canvas/SelectionHelper.h"

#include "canvas/ColorRole.h"
#include "canvas/PathPainter.h"
#include "canvas/Window.h"

namespace plumex {

namespace {

constexpr int GlyphSize = 32;

// The glyphs show where a press scales or rotates, so they go while a drag runs; panning and
// moving a guide leave them.
bool glyphsShown(DragKind state) {
    switch (state) {
    case DragKind::Idle:
    case DragKind::Pan:
    case DragKind::VerticalGuide:
    case DragKind::HorizontalGuide:
    case DragKind::GuideCross:
        return true;
    default:
        return false;
    }
}

} // namespace

void paintMarker(Surface& s, PixelPoint p, Color ink) {
    s.ellipse({p.x - MarkerRadius, p.y - MarkerRadius, p.x + MarkerRadius, p.y + MarkerRadius}, ink,
              std::nullopt);
    s.line({p.x - MarkerRadius, p.y}, {p.x + MarkerRadius, p.y}, ink);
    s.line({p.x, p.y - MarkerRadius}, {p.x, p.y + MarkerRadius}, ink);
}

void paintSelectionHelper(Surface& s, const TCvWindow& window) {
    const ColorTable& c = colorTable();
    const TCvRect& bounds = window.Document.SelectionBounds;
    PixelRect r = window.UnitRectToPixelRect(bounds);
    r.right += 1;
    r.bottom += 1;
    const std::vector<RasterImage>& glyphs = window.CornerImages();
    if (glyphs.size() >= 6 && glyphsShown(window.DragState())) {
        auto glyph = [&](int i, int x, int y) {
            s.drawImage({x, y, x + GlyphSize, y + GlyphSize}, glyphs[static_cast<std::size_t>(i)]);
        };
        glyph(0, r.left - 11, r.top - 11);
        glyph(1, r.right - 21, r.top - 11);
        glyph(2, r.right - 21, r.bottom - 21);
        glyph(3, r.left - 11, r.bottom - 21);
        if (r.width() >= GlyphSize) {
            const int cx = (r.left + r.right - 31) / 2;
            glyph(4, cx, r.top - 12);
            glyph(4, cx, r.bottom + 3);
        }
        if (r.height() >= GlyphSize) {
            const int cy = (r.top + r.bottom - 31) / 2;
            glyph(5, r.left - 12, cy);
            glyph(5, r.right + 3, cy);
        }
    }
    const Color frame = roleColor(c, ColorRole::SelectedBounds);
    s.rectangle(r, frame, std::nullopt);
    const PixelPoint mid = window.UnitToPixel(centre(bounds));
    s.rectangle(anchorSquare(mid, window.AnchorSize()), frame, frame);
    paintMarker(s, window.UnitToPixel(window.Document.Pivot), roleColor(c, ColorRole::Marker));
}

} // namespace plumex
