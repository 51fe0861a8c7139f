#pragma once
// The text tool: a click or a dragged frame places text outlines with the first baseline at
// the frame's lower-left corner. A frame taller than 2 pixels presets the object size; Ctrl
// repeats the last text without the dialog.

#include "canvas/ToolBehaviour.h"
#include "model/Rect.h"
#include "text/TextRequest.h"

#include <optional>

namespace plumex {

class TextTool : public ToolBehaviour {
public:
    CursorShape cursor() const override { return CursorShape::Text; }
    bool copiesBeforePress() const override { return true; }
    void press(TCvWindow& window, const MouseEvent& e) override;

    // Asks for the text (unless `reuse` and there is a last one) and adds its outlines at
    // rect's lower-left corner as one undo step. True when paths were added.
    bool CreateText(TCvWindow& window, bool reuse, const TCvRect& rect);

private:
    std::optional<TextRequest> last_;
};

} // namespace plumex
