#include "canvas/ToolBehaviour.h"

#include "canvas/AnchorTool.h"
#include "canvas/ObjectTool.h"
#include "canvas/PenTool.h"
#include "canvas/ShapeTool.h"
#include "canvas/TextTool.h"
#include "canvas/Window.h"
#include "canvas/ZoomTool.h"

namespace plumex {

namespace {

// A tool whose own handling is not there yet: it shows its cursor and offers the common
// context menu.
class PlainTool : public ToolBehaviour {
public:
    explicit PlainTool(CursorShape cursor) : cursor_(cursor) {}
    CursorShape cursor() const override { return cursor_; }

private:
    CursorShape cursor_;
};

} // namespace

std::unique_ptr<ToolBehaviour> makeToolBehaviour(int tool) {
    switch (tool) {
    case ToolObject:
        return std::make_unique<ObjectTool>();
    case ToolZoom:
        return std::make_unique<ZoomTool>();
    case ToolAnchor:
        return std::make_unique<AnchorTool>();
    case ToolPen:
        return std::make_unique<PenTool>();
    case ToolRect:
        return std::make_unique<ShapeTool>(false);
    case ToolEllipse:
        return std::make_unique<ShapeTool>(true);
    case ToolText:
        return std::make_unique<TextTool>();
    default:
        return std::make_unique<PlainTool>(CursorShape::Text);
    }
}

} // namespace plumex
