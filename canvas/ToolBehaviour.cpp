#include "canvas/ToolBehaviour.h"

#include "canvas/AnchorTool.h"
#include "canvas/ObjectTool.h"
#include "canvas/PathPainter.h"
#include "canvas/PenTool.h"
#include "canvas/ShapeTool.h"
#include "canvas/TextTool.h"
#include "canvas/Window.h"
#include "canvas/ZoomTool.h"

namespace plumex {

bool OverlayView::shows(const TCvLine& line) const {
    if (!line.visible) return false;
    const TCvRect b = line.GetHullBounds();
    return !(b.right < area.left || b.left > area.right || b.top < area.bottom ||
             b.bottom > area.top);
}

void paintSelectedAnchors(const TCvWindow& window, Surface& s, const OverlayView& overlay) {
    for (const TCvLine& l : window.Document.Lines)
        if (l.selected && overlay.shows(l))
            DrawSelectedAnchors(s, l, overlay.view, overlay.anchorSize, colorTable());
}

std::unique_ptr<ToolBehaviour> makeToolBehaviour(ToolKind tool) {
    switch (tool) {
    case ToolKind::Object:
        return std::make_unique<ObjectTool>();
    case ToolKind::Zoom:
        return std::make_unique<ZoomTool>();
    case ToolKind::Anchor:
        return std::make_unique<AnchorTool>();
    case ToolKind::Pen:
        return std::make_unique<PenTool>();
    case ToolKind::Rect:
        return std::make_unique<ShapeTool>(BandShape::Rectangle);
    case ToolKind::Ellipse:
        return std::make_unique<ShapeTool>(BandShape::Ellipse);
    case ToolKind::Text:
        return std::make_unique<TextTool>();
    }
    return std::make_unique<ObjectTool>(); // not reached: every tool has its behaviour
}

} // namespace plumex
