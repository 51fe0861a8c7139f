#pragma once
// What one tool adds to the shared press, move and release handling of TCvWindow. The window
// handles the buttons, the drag threshold, snapping, guides, rulers and panning, and hands the
// rest to the current tool's behaviour. A tool starts a drag by giving the window a Drag.

#include "canvas/CanvasHost.h"
#include "canvas/HitTest.h"
#include "canvas/InputEvent.h"
#include "canvas/ToolKind.h"
#include "canvas/ViewTransform.h"
#include "model/Path.h"

#include <memory>
#include <vector>

class TCvWindow;

namespace plumex {

class Surface;

// The view of one repaint: paths whose hull lies wholly outside `area` are skipped, not drawn
// and clipped.
struct OverlayView {
    ViewTransform view;
    int anchorSize = 5;
    TCvRect area;
    bool shows(const TCvLine& line) const;
};

// What the selection commands and the keyboard move work on: whole paths (the object tool),
// single anchors (the anchor and pen tools), or neither mode.
enum class EditMode { Objects, Anchors, Neither };

class ToolBehaviour {
public:
    virtual ~ToolBehaviour() = default;

    // The canvas cursor of the tool.
    virtual CursorShape cursor() const = 0;
    // The cursor over an anchor the tool can hit.
    virtual CursorShape anchorCursor() const { return CursorShape::Snap; }
    virtual EditMode mode() const { return EditMode::Neither; }

    // The tool was chosen; the window then selects whole paths unless keepsAnchorSelection().
    virtual void activate(TCvWindow&) {}
    // Tools that work on anchors keep a selection of single anchors; the window marks the
    // selected anchors, and copy takes the selected runs instead of whole paths.
    virtual bool keepsAnchorSelection() const { return false; }
    // The tool edits single anchors and their handles: the selected paths show their handles
    // and the hit test finds them, and align and remove work on the selected anchors.
    virtual bool editsHandles() const { return false; }
    // Which anchors an idle hover or a press can hit: false when none, otherwise the tool may
    // narrow the search.
    virtual bool searchAnchors(const TCvWindow&, AnchorSearch&) const { return false; }
    // Whether guide lines can be grabbed while this tool is idle.
    virtual bool grabsGuides() const { return false; }
    // Whether a pen path being built survives an undo or redo that restores it.
    virtual bool keepsPenPath() const { return false; }
    // Whether the idle feedback depends on Ctrl, so that a change of it replays the last move.
    virtual bool followsCtrl(const TCvWindow&) const { return false; }
    // Tools that create paths take the press-time copy of the drawing before their press;
    // the others after it, so that the selection made by the press belongs to the copy.
    virtual bool copiesBeforePress() const { return false; }

    // Paints what the tool adds on top of the paths (the paths and their handles are painted).
    virtual void paintOverlay(const TCvWindow&, Surface&, const OverlayView&) const {}

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

// The selected anchors of the selected paths, marked again on top of everything: the overlay
// of the tools that keep a selection of single anchors.
void paintSelectedAnchors(const TCvWindow& window, Surface& s, const OverlayView& overlay);

// The behaviour of a tool number; tools that are not built yet only show their cursor.
std::unique_ptr<ToolBehaviour> makeToolBehaviour(ToolKind tool);

} // namespace plumex
