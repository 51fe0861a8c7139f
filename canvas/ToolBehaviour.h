#pragma once
// What one tool adds to the shared press, move and release handling of TCvWindow. The window
// handles the buttons, the drag threshold, snapping, guides, rulers and panning, and hands the
// rest to the current tool's behaviour. A tool starts a drag by giving the window a Drag.

#include "canvas/CanvasHost.h"
#include "canvas/InputEvent.h"

#include <memory>
#include <vector>

class TCvWindow;

namespace plumex {

class ToolBehaviour {
public:
    virtual ~ToolBehaviour() = default;

    // The canvas cursor of the tool.
    virtual CursorShape cursor() const = 0;
    // Tools that create paths take the press-time copy of the drawing before their press;
    // the others after it, so that the selection made by the press belongs to the copy.
    virtual bool copiesBeforePress() const { return false; }

    // A left press that no guide or ruler took. A double click arrives as a press with
    // Press().doubleClick set.
    virtual void press(TCvWindow&, const MouseEvent&) {}
    // The left button passed the drag threshold while no drag runs.
    virtual void dragStarted(TCvWindow&, const MouseEvent&) {}
    // A left release while no drag runs.
    virtual void release(TCvWindow&, const MouseEvent&) {}
    // An idle mouse move, before the anchor hit test: the tool's own hover feedback. True
    // when it set the screen cursor itself.
    virtual bool hover(TCvWindow&, const MouseEvent&) { return false; }
    // A right release while idle; false keeps the context menu closed.
    virtual bool rightRelease(TCvWindow&, const MouseEvent&) { return true; }
};

// The behaviour of a tool number; tools that are not built yet only show their cursor.
std::unique_ptr<ToolBehaviour> makeToolBehaviour(int tool);

} // namespace plumex
