#pragma once
// Everything the canvas needs from the window system, asked through one interface. The Qt
// adapter implements it on a widget; tests implement it with a recording fake.

#include "canvas/Pixel.h"
#include "commands/PathClipboard.h"
#include "commands/TransformRequests.h"
#include "raster/RasterImage.h"
#include "text/TextRequest.h"

#include <optional>
#include <string>
#include <vector>

namespace plumex {

// Screen cursors: the program's cursor table 1 to 10, then the system shapes it uses.
enum class CursorShape {
    Arrow = 0,
    Snap = 1,
    SelLine = 2,
    PenTool = 3,
    SnapPen = 4,
    Rect = 5,
    Ellipse = 6,
    Text = 7,
    MagTool = 8,
    Hand = 9,
    Rotate = 10,
    SizeWE,   // horizontal resize arrow
    SizeNS,   // vertical resize arrow
    SizeNWSE, // diagonal, top-left to bottom-right
    SizeNESW, // diagonal, top-right to bottom-left
    SplitH,   // over a vertical guide line
    SplitV,   // over a horizontal guide line
};

enum class MessageKind { Error, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// One entry of the canvas's context menu; `command` is the caption's text number, a
// separator has none.
struct MenuEntry {
    int command = -1;
    std::string caption;
    bool separator = false;
    bool enabled = true; // commands not available yet are shown greyed
};

// The scale/size dialog: mode 0 asks for a width and a height, 1 for the scale, 2 for the
// join range (one value).
struct SizeRequest {
    int mode = 1;
    double width = 0;
    double height = 0;
    int caption = 0;              // language text of the title; 0: the dialog's own
    std::optional<PixelPoint> at; // where to show it (client pixel); none: centred
    // Receives the first field's value however the dialog closes: the join range keeps what
    // was typed even when the dialog is cancelled.
    double* typed = nullptr;
};
struct SizeAnswer {
    double width = 0;
    double height = 0;
};

struct GridSize {
    double units = 0.1; // drawing units between grid lines
    int knots = 5;      // grid lines between two step-grid lines
};

// How the pixels of a zoomed view moved.
struct ZoomStep {
    double factor = 1;
    double shiftX = 0;
    double shiftY = 0;
    Color background = 0xFFFFFF;
};

class CanvasHost {
public:
    virtual ~CanvasHost() = default;

    // The area is painted again through TCvWindow::Paint.
    virtual void invalidate(const PixelRect& r) = 0;
    // Moves what `r` shows by (dx, dy) and invalidates the strip the shift uncovers.
    virtual void scroll(const PixelRect& r, int dx, int dy) = 0;
    // The view was zoomed: what `r` showed at pixel p now belongs at p * zoom.factor +
    // zoom.shift. The whole of `r` is to be painted again; a host that keeps a buffer may show
    // it scaled so meanwhile, with what it does not cover in `zoom.background`.
    virtual void rescale(const PixelRect& r, const ZoomStep& zoom) {
        (void)zoom;
        invalidate(r);
    }
    virtual void setCursor(CursorShape shape) = 0;
    virtual void captureMouse(bool on) = 0;
    // Puts the screen pointer on a client pixel.
    virtual void movePointer(PixelPoint p) = 0;
    // Width of the double-click rectangle: the drag threshold.
    virtual int doubleClickWidth() const = 0;

    virtual MessageAnswer messageBox(const std::string& text, MessageKind kind) = 0;
    // Runs the menu at `at`; the chosen entry's command, or nullopt when dismissed.
    virtual std::optional<int> contextMenu(const std::vector<MenuEntry>& entries,
                                           PixelPoint at) = 0;

    // The dialogs: nullopt when cancelled (or when the dialog refuses the values).
    virtual std::optional<SizeAnswer> runSizeDialog(const SizeRequest& request) = 0;
    virtual std::optional<GridSize> runGridSizeDialog(const GridSize& current) = 0;

    // The transform dialogs, each kept from one use to the next by the host. A host without
    // them answers as if the user cancelled.
    virtual std::optional<MoveAnswer> runMoveDialog(const MoveRequest&) { return std::nullopt; }
    virtual std::optional<ExpandAnswer> runExpandDialog(const OriginRequest&) {
        return std::nullopt;
    }
    virtual std::optional<RotateAnswer> runRotateDialog(const OriginRequest&) {
        return std::nullopt;
    }
    virtual std::optional<ShearAnswer> runShearDialog(const ShearRequest&) { return std::nullopt; }
    virtual std::optional<AlignAnswer> runAlignDialog(const AlignRequest&) { return std::nullopt; }
    // The text dialog, its fields kept from one use to the next; `objectSize` presets the size
    // field. A host without it answers as if the user cancelled.
    virtual std::optional<TextRequest> runTextDialog(std::optional<double> /*objectSize*/) {
        return std::nullopt;
    }

    // The system clipboard: replaces its content with every form; a host without one keeps
    // nothing and offers nothing.
    virtual void setClipboard(const ClipboardContent&) {}
    virtual ClipboardOffer clipboard() { return {}; }
};

} // namespace plumex
