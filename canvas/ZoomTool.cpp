#include "canvas/ZoomTool.h"

#include "canvas/Window.h"

namespace plumex {

namespace {

void zoomAt(TCvWindow& window, PixelPoint p, double factor) {
    window.ZoomAbout(window.Scale() * factor, window.PixelToUnit(p.x, p.y));
}

void fitBand(TCvWindow& window, const PixelRect& band) {
    window.FitRect(window.PixelRectToUnitRect(normalized(band)));
}

} // namespace

void ZoomTool::dragStarted(TCvWindow& window, const MouseEvent&) {
    window.BeginDrag(std::make_unique<RubberBandDrag>(
        window, [](TCvWindow& w, const PixelRect& band, const MouseEvent& e) {
            if (band.width() != 0 && band.height() != 0)
                fitBand(w, band);
            else if (!w.Press().doubleClick)
                zoomAt(w, e.pos, 2);
        }));
}

void ZoomTool::release(TCvWindow& window, const MouseEvent& e) {
    if (!window.Press().doubleClick) zoomAt(window, e.pos, 2);
}

bool ZoomTool::rightRelease(TCvWindow& window, const MouseEvent& e) {
    zoomAt(window, e.pos, 0.5);
    return false; // the zoom tool has no context menu
}

ZoomLendDrag::ZoomLendDrag(TCvWindow& window, ToolKind previousTool)
    : RubberBandDrag(window,
                     [previousTool](TCvWindow& w, const PixelRect& band, const MouseEvent& e) {
                         // The tool comes back first, so that the zoom's change notice
                         // already shows the owner the real tool.
                         w.LendTool(previousTool);
                         const PressContext& p = w.Press();
                         if (band.width() != 0 && band.height() != 0)
                             fitBand(w, band);
                         else if (!p.doubleClick)
                             zoomAt(w, e.pos, (e.shift & ssRight) ? 0.5 : 2);
                         else
                             w.Changed();
                     }),
      previous_(previousTool) {}

void ZoomLendDrag::cancel(TCvWindow& window) {
    RubberBandDrag::cancel(window);
    window.LendTool(previous_);
    window.Changed();
}

} // namespace plumex
