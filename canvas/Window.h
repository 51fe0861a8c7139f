#pragma once
// The editing window: owns the document, the view and the guide lines, turns toolkit-free
// input into view changes and edits, and paints through a Surface. Whatever it needs from the
// window system it asks of its CanvasHost; without a host or surface it still keeps its state,
// which is how the tests drive it.

#include "app/Options.h"
#include "canvas/CanvasHost.h"
#include "canvas/Drag.h"
#include "canvas/HitTest.h"
#include "canvas/HoverZone.h"
#include "canvas/InkLayer.h"
#include "canvas/InputEvent.h"
#include "canvas/PathIndex.h"
#include "canvas/Pict.h"
#include "canvas/Surface.h"
#include "canvas/ToolKind.h"
#include "canvas/ViewTransform.h"
#include "commands/AnchorCommands.h"
#include "commands/TransformCommands.h"
#include "model/Document.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace plumex {
class ContextMenuSource;
class RulerCache;
class ToolBehaviour;

enum class KeyMove { Left, Right, Up, Down };
// A key move steps one grid unit, or a tenth of one.
enum class KeyStep { Normal, Fine };
// A click on a path with Shift toggles it; without, it replaces the selection.
enum class SelectMode { Replace, Toggle };
// Paste puts the paths at the centre of the view, or where they were copied from.
enum class PastePlace { ViewCentre, SamePosition };
// Whether a clipboard that cannot be read says why.
enum class ClipboardErrors { Quiet, Report };

// Which coordinates of a point snap to the grid (guides snap either way).
struct SnapAxes {
    bool x = false;
    bool y = false;
    static constexpr SnapAxes both(bool on = true) { return {on, on}; }
};

// Which of the two guide lists an operation takes.
struct GuideAxes {
    bool vertical = false;
    bool horizontal = false;
};

// Which list a guide line is in: vertical lines stand at an x, horizontal ones at a y.
enum class GuideAxis { Vertical, Horizontal };

// The guide line being moved, as an index into one of the two lists.
struct MovingGuide {
    GuideAxis axis = GuideAxis::Vertical;
    int index = -1;
    bool vertical() const { return axis == GuideAxis::Vertical; }
};

// What a press keeps of the drawing: the selected paths, which is all that most drags change,
// or every path, for drags that may change, add or deselect any of them.
enum class PressCopy { Selection, Whole };

// The pointer and modifiers of the current press, shared by every drag. What a drag does with
// them is the drag's own state.
struct PressContext {
    PixelPoint pressPixel;
    PixelPoint currentPixel;
    PixelPoint previousPixel;
    bool right = false;
    bool doubleClick = false;
    bool dragStarted = false;
    unsigned pressShift = 0;
    unsigned shift = 0;    // the shift state of the latest event
    bool snapGrid = false; // grid snapping for this press: SnapGrid differs from Alt
    // The Shift axis lock of the current move: the locked coordinate stays at the press's.
    bool lockX = false;
    bool lockY = false;
    TCvCoord pressPoint;                    // the press in drawing units, snapped
    TCvCoord point;                         // the current point, snapped and axis-locked
    MouseButton button = MouseButton::None; // the button whose release ends the press
    AnchorHit nearest; // the anchor under the mouse when another button goes down in a drag

    // The current point with the axis lock applied.
    TCvCoord lockedPoint() const {
        return {lockX ? pressPoint.x : point.x, lockY ? pressPoint.y : point.y};
    }
};

// The drawing as a mouse edit found it: the base of its undo step, and of scale, rotate and
// shear, which always start again from it. Most drags change only the selected paths, so only
// those are kept, with the path count; `lines` holds the whole drawing only for drags that may
// change any path.
struct EditBase {
    bool taken = false;
    bool whole = false;
    std::vector<TCvLine> lines;
    std::size_t lineCount = 0;
    TCvCoord pivot;
    std::vector<int> selectedIndices;
    std::vector<TCvLine> selection;
    TCvRect bounds;
    plumex::LineList::Mark mark = 0; // the path list's log at the press
};

// What lies under the idle mouse.
struct HoverState {
    AnchorHit anchor;
    HoverZone zone = HoverZone::None;
    std::optional<MovingGuide> guide;
};

inline constexpr int RulerWidth = 13;

// What a draft picture that does not load is reported as: the language's message, with the
// file and the reader's reason on the lines below it.
std::string draftFailureText(const std::string& path, const std::string& reason);
} // namespace plumex

class TCvWindow {
public:
    explicit TCvWindow(plumex::TCvOptions* options);
    ~TCvWindow();
    TCvWindow(const TCvWindow&) = delete;
    TCvWindow& operator=(const TCvWindow&) = delete;

    // --- wiring ---
    void SetHost(plumex::CanvasHost* host) { host_ = host; }
    void SetSurface(plumex::Surface* surface);
    plumex::CanvasHost* Host() const { return host_; }
    plumex::TCvOptions& Options() const { return *options_; }
    // Fired after every view change, option change and mouse press.
    std::function<void(TCvWindow&)> OnChange;
    // Fired on every mouse move over the canvas, after the window has handled it.
    std::function<void(TCvWindow&, const plumex::MouseEvent&)> OnMouseMoveEvent;
    void Changed();

    // The window handle exists: centres the view on the origin.
    void HandleCreated();

    TCvDocument Document;

    // --- options by number (0 to 11) ---
    bool GetOption(plumex::CanvasOption n) const;
    // Stores and applies the option, repaints and fires the change notification. Option 11
    // asks for the fixed grid size and stays off when that is cancelled.
    void SetOption(plumex::CanvasOption n, bool value);

    // --- view ---
    double Scale() const { return options_->Scale; }
    plumex::PixelPoint Origin() const { return origin_; }
    plumex::ViewTransform View() const { return {Scale(), origin_}; }
    TCvCoord CursorPos() const { return cursorPos_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // Ruler thickness R: 13 with rulers shown, else 0.
    int RulerSize() const;
    // Visible area centre C.
    plumex::PixelPoint ClientCenter() const;

    int UnitToPixelX(double x) const { return View().UnitToPixelX(x); }
    int UnitToPixelY(double y) const { return View().UnitToPixelY(y); }
    plumex::PixelPoint UnitToPixel(TCvCoord p) const { return View().UnitToPixel(p); }
    TCvCoord PixelToUnit(int px, int py) const { return View().PixelToUnit(px, py); }
    double PixelsToUnits(double n) const { return View().PixelsToUnits(n); }
    int UnitsToPixels(double d) const { return View().UnitsToPixels(d); }
    plumex::PixelRect UnitRectToPixelRect(const TCvRect& r) const {
        return View().UnitRectToPixelRect(r);
    }
    TCvRect PixelRectToUnitRect(const plumex::PixelRect& r) const {
        return View().PixelRectToUnitRect(r);
    }

    TCvCoord ViewCenter() const;
    void CenterOn(TCvCoord p);
    void SetOrigin(int px, int py);
    void ZoomTo(double s);
    void ZoomAbout(double s, TCvCoord p);
    void FitRect(const TCvRect& r);
    void ScrollBy(int dx, int dy);
    void GoOriginCenter();
    void GoOriginHome();
    void GoSelectionCenter();
    void GoSelectionHome();
    void FitAll();
    void FitSelection();
    void InputScale();
    void SetScaleOption(double s);

    // --- grid, snapping, guides ---
    void UpdateAutoGrid(double s);
    bool AskFixedGrid();
    double RulerStep() const { return rulerStep_; }
    int RulerMajor() const { return rulerMajor_; }
    TCvCoord SnapPoint(TCvCoord p, plumex::SnapAxes grid) const;
    TCvCoord SnapRect(const TCvRect& r, plumex::SnapAxes grid) const;
    std::vector<double>& VerticalGuides() { return Document.Settings.verticalGuides; }
    std::vector<double>& HorizontalGuides() { return Document.Settings.horizontalGuides; }
    // Adds a guide and repaints its line; the index of the new guide.
    int AddGuide(plumex::GuideAxis axis, double at);
    void MoveGuide(plumex::GuideAxis axis, int index, double to);
    void DeleteGuide(plumex::GuideAxis axis, int index);
    // Empties one list; with LockGuides on, asks first (false when the user says No).
    bool EraseGuides(plumex::GuideAxes axes);
    // The guide within the hover tolerance of a client pixel, vertical guides first.
    std::optional<plumex::MovingGuide> GuideAt(plumex::PixelPoint p) const;
    std::optional<plumex::MovingGuide> MovingGuideLine() const { return movingGuide_; }
    void SetMovingGuide(std::optional<plumex::MovingGuide> g) { movingGuide_ = g; }
    void MoveSelectionByKey(plumex::KeyMove direction, plumex::KeyStep step);

    // --- tools and drags ---
    plumex::ToolKind Tool() const { return tool_; }
    void SetTool(plumex::ToolKind tool);
    plumex::DragKind DragState() const { return drag_ ? drag_->state() : plumex::DragKind::Idle; }
    void BeginDrag(std::unique_ptr<plumex::Drag> drag);
    void EndDrag();
    // Ends a running drag as focus loss does (what it changed stays, as one undo step); the
    // release of its button then does nothing. Forgets the hovered anchor. Everything that
    // replaces or edits the paths from outside the mouse handling comes through here first.
    void CancelDrag();
    const plumex::PressContext& Press() const { return press_; }
    const plumex::HoverState& Hover() const { return hover_; }
    // The object tool's zone under the idle mouse.
    void SetHoverZone(plumex::HoverZone zone) { hover_.zone = zone; }
    const plumex::Drag* ActiveDrag() const { return drag_.get(); }
    // The anchor the running drag holds under the pointer; none when no drag holds one.
    plumex::AnchorHit GrabbedAnchor() const;
    plumex::ToolBehaviour& CurrentTool() const { return *tools_[static_cast<int>(tool_)]; }
    // Keeps the pivot and the selected paths as they are now (with Whole, every path), as the
    // base of the drag and of its undo step.
    void TakePressCopy(plumex::PressCopy scope = plumex::PressCopy::Selection);
    // Ends an edit by mouse: recomputes SelectionBounds and, when the paths differ from the
    // press-time copy, records that copy as one undo step. True when it recorded one.
    bool FinishEdit();
    const plumex::EditBase& PressBase() const { return base_; }
    // For drags that end their edit themselves: records the press-time copy as one undo step
    // (with the pen path of the press) when the paths differ from it, then forgets the copy.
    // True when it recorded one.
    bool RecordPressCopy(int penPath);
    // Forgets the press-time copy: the drag has recorded its undo step another way.
    void DropPressCopy() { base_.taken = false; }
    // The anchor under a drawing point by the hover rules of the current tool and state.
    plumex::AnchorHit HitAnchor(TCvCoord p) const;
    // The hit tests' index of the paths, brought up to date with the drawing.
    const plumex::PathIndex& PathsIndex() const;
    // Off, every path is painted exactly, however many share a pixel (the reference picture).
    void SetLevelOfDetail(bool on) { levelOfDetail_ = on; }
    // Large repaints are split into this many bands painted at once (1: on this thread only).
    void SetPaintBands(int n) { paintBands_ = n; }
    // Runs the hover feedback for the mouse at p as on an idle mouse move.
    void UpdateHover(const plumex::MouseEvent& e);
    // Puts the pointer on a pixel and makes it the press pixel.
    void GrabPointer(plumex::PixelPoint p);
    // Puts the pointer on an anchor and makes it the press: the anchor, not the pointer, is
    // what snaps during the move that follows.
    void GrabAnchor(TCvCoord at);
    // Moves the press pixel onto the snapped press point, so a rubber band starts there.
    void SnapPressPixel();
    // A point snapped as a drag's current point: grid snapping from the press, axis lock.
    TCvCoord DragPoint(plumex::PixelPoint p) const;
    void SetScreenCursor(plumex::CursorShape shape);
    // The tool cursor again.
    void ResetCursor() { refreshCursor(); }
    // Switches the tool for the middle button's zoom without SetTool's side effects.
    void LendTool(plumex::ToolKind tool);
    void OpenContextMenu(plumex::PixelPoint at);
    // Where the context menu's entries and commands come from; none: an empty menu.
    void SetContextMenuSource(plumex::ContextMenuSource* source) { contextMenuSource_ = source; }
    void SelectOnly(int path);
    void SetPathSelected(int path, bool selected);
    // Toggles (with `toggle`) or selects the visible, unlocked paths with an anchor in the
    // pixel rectangle.
    void SelectInRect(const plumex::PixelRect& r, plumex::SelectMode mode);
    // The index of the pen tool's path, -1 when none is being built.
    int PenPath() const { return penPath_; }
    void SetPenPath(int index) { penPath_ = index; }
    // The anchor and handle of a running handle drag, for the status bar's angle.
    std::optional<plumex::HandleLine> DraggedHandle() const;

    // --- transform commands: the Object menu's presets and dialogs ---
    // Object mode: the object tool; anchor mode: the anchor point or pen tool.
    bool ObjectMode() const;
    bool AnchorMode() const;
    // 0: the selection's centre to the origin, 1: its lower-left corner.
    bool PresetMove(int n);
    // 0 double size, 1 half size, 2 height to 1.0, 3 width to 1.0.
    bool PresetExpand(int n);
    // 0 left 90, 1 right 90.
    bool PresetRotate(int n);
    // Mirrors left to right (`horizontal`) or top to bottom.
    bool FlipSelection(plumex::FlipAxis axis);
    // The move dialog; `anchor` makes that point the reference instead of the selection.
    bool MoveDialog(std::optional<TCvCoord> anchor = std::nullopt);
    bool ExpandDialog();
    bool RotateDialog();
    // The object tool's hover zone presets the direction: 12 and 14 vertical, 13 and 15
    // horizontal; any other zone keeps the last choice.
    bool ShearDialog(plumex::HoverZone zone = plumex::HoverZone::None);
    bool AlignDialog();

    // --- input ---
    void MouseDown(const plumex::MouseEvent& e);
    void MouseMove(const plumex::MouseEvent& e);
    void MouseUp(const plumex::MouseEvent& e);
    // True when the canvas used the key.
    bool KeyDown(const plumex::KeyEvent& e);
    void KeyUp(const plumex::KeyEvent& e);
    // Positive delta: turned away from the user.
    void MouseWheel(int delta);
    void Resize(int width, int height);
    void FocusLost();

    // --- painting ---
    void Paint(const plumex::PixelRect& clip);
    void Invalidate();
    // The colour table changed: rebuilds every cached picture (rulers included) and repaints.
    void ColorsChanged();
    void InvalidateRect(const plumex::PixelRect& r);
    // What the selected paths and the selection helper cover now, for an edit of the
    // selected paths to hand to InvalidateEdited when it is done.
    plumex::PixelRect SelectedPathsExtent() const;
    // Invalidates the paths written since `mark`, the selection helper and `before`.
    void InvalidateEdited(plumex::LineList::Mark mark, const plumex::PixelRect& before) {
        invalidateWritten(mark, before);
    }
    void InvalidateColumn(double x1, double x2);
    void InvalidateRow(double y1, double y2);
    void DrawRubberBand(const plumex::PixelRect& r, plumex::BandShape shape);
    void DrawMarker(plumex::PixelPoint p);
    void UpdateCursorIndicators(plumex::PixelPoint p);
    void SetPaintSuppressed(bool on) { paintSuppressed_ = on; }
    // The six selection-helper glyphs (corners 0-3, top/bottom 4, left/right 5); none: only
    // the frame, the centre square and the marker are drawn.
    void SetCornerImages(std::vector<plumex::RasterImage> glyphs);
    const std::vector<plumex::RasterImage>& CornerImages() const { return cornerImages_; }
    void SetDraft(std::optional<plumex::DraftPicture> draft);
    const plumex::TPict& Draft() const { return draft_; }
    // Load Draft: the picture centred on the origin, `width` units wide, kept as the
    // document's draft reference. False (nothing changed) when it cannot be decoded.
    bool LoadDraft(const std::string& path, double width, std::string* error = nullptr);
    // Delete Draft: no picture and no reference.
    void ClearDraft();
    int AnchorSize() const { return options_->SmallAnchor ? 3 : 5; }

    // --- document ---
    // Reads the file, applies its scale and view centre; throws plumex::ReadError.
    bool LoadFromFile(const std::string& fileName);
    // Stores the view in the document settings, then saves.
    bool SaveToFile(const std::string& fileName, std::string* error = nullptr);
    void NewDocument();
    bool Undo();
    bool Redo();

    // --- object commands: each does nothing without a selection and ends a pen path ---
    bool DeleteSelection();
    bool DeleteSegments();
    bool Dupe();
    // Nothing to restack when every path is selected.
    bool LayerFront();
    bool LayerBack();
    // Drops the pen's floating anchor and forgets its path.
    void EndPenPath();

    // --- the path clipboard: the system clipboard through the host, and the paste buffer ---
    // Copy takes the selected paths, or with the anchor and zoom tools the selected runs of
    // anchors. False when nothing was selected or the clipboard could not take them.
    bool Copy();
    // Copy, then Delete; nothing is deleted when the copy failed.
    bool Cut();
    bool CutSegments();
    // Refills the paste buffer from the clipboard; with `report` a damaged block or text is
    // shown as an error. True when the buffer holds a path.
    bool ReadClipboard(plumex::ClipboardErrors errors = plumex::ClipboardErrors::Quiet);
    const std::vector<TCvLine>& PasteBuffer() const { return pasteBuffer_; }
    // The last read found paths it could not take (a damaged block, a malformed point).
    bool ClipboardUnreadable() const { return clipboardUnreadable_; }
    // Refreshes the buffer; true when Paste has something to do: paths to paste, or damage to
    // report (so Paste is not greyed out without a word).
    bool PasteOffered() { return ReadClipboard() || clipboardUnreadable_; }
    // Refreshes the buffer first, so what another program put there since counts.
    bool Paste(plumex::PastePlace place);

    // --- the Anchor menu: each does nothing when its precondition fails ---
    bool JoinEndAnchors(plumex::JoinShape shape);
    // Asks for the range (remembered for the whole run), then joins ends within it.
    bool JoinNearEndAnchors();
    bool SeparateAnchors();
    bool RemoveAnchors();
    bool SmoothAnchors();
    bool CornerAnchors();
    bool DoubleAnchors();
    bool MinimizeAnchors();
    bool ReverseHandles();
    // `at` is the anchor under the mouse for the context menu's variants; empty: the single
    // selected anchor.
    bool CopyHandle(std::optional<plumex::AnchorRef> at = std::nullopt);
    bool PasteHandle(std::optional<plumex::AnchorRef> at = std::nullopt);
    bool HasHandleClipboard() const { return handleClipboard_.has_value(); }

private:
    void paintGrid(plumex::Surface& s, const plumex::PixelRect& r) const;
    // The origin that puts drawing point p at the centre of the visible area.
    plumex::PixelPoint centredOrigin(TCvCoord p) const;
    // Background, draft, grid and the objects of `r`; the bands of one repaint run at once.
    // The pixels the selection frame, its glyphs and the marker cover; empty without selection.
    plumex::PixelRect selectionExtent() const;
    plumex::PixelRect selectionExtentAt(const TCvRect& bounds, TCvCoord pivot) const;
    // What a path covers with its anchor squares; nothing when it may cover any pixel.
    std::optional<plumex::PixelRect> pathExtent(const TCvLine& line) const;
    // The paths, frame and marker a finished edit may have changed since its press.
    void invalidateFinishedEdit(const plumex::PixelRect& shown);
    // Invalidates what a selection change touched: the paths written since `mark` and the
    // selection's extent `before` and now.
    void invalidateWritten(plumex::LineList::Mark mark, const plumex::PixelRect& before);
    void paintLayers(plumex::Surface& s, const plumex::PixelRect& r, plumex::InkLayer& ink,
                     const plumex::PathIndex& index) const;
    void paintObjects(plumex::Surface& s, const plumex::PixelRect& r, plumex::InkLayer& ink,
                      const plumex::PathIndex& index) const;
    void paintGuides(plumex::Surface& s, const plumex::PixelRect& r) const;
    void paintDraft(plumex::Surface& s, const plumex::PixelRect& r) const;
    void loadDocumentDraft();
    void paintRulers(plumex::Surface& s, const plumex::PixelRect& clip);
    void drawIndicatorColumn(int x);
    void drawIndicatorRow(int y);
    void eraseIndicators();
    void saveUnder(std::unique_ptr<plumex::Surface>& buffer, const plumex::PixelRect& r);
    void applyKeyScroll(const plumex::KeyEvent& e);
    bool pressGuideOrRuler(const plumex::MouseEvent& e);
    void pressLeft(const plumex::MouseEvent& e);
    void pressMiddle(const plumex::MouseEvent& e);
    void startDrag(const plumex::MouseEvent& e);
    void updateDragPoint(const plumex::MouseEvent& e);
    void releaseRight(const plumex::MouseEvent& e);
    bool hoverGuides(const plumex::MouseEvent& e);
    void modifierChanged(const plumex::KeyEvent& e);
    void refreshCursor();
    void invalidateAll();
    bool pressCopyDiffers() const;
    template <class Command> bool runObjectCommand(Command command);
    // The pen path after undo or redo: the snapshot's index when it is valid.
    void restorePenPath(int index);
    // Repaints what an undo or redo changed: the paths it wrote and the selection's helper.
    void invalidateRestored(const TUndoBuffer::Restored& restored, int penBefore,
                            const TCvRect& selectionBefore, TCvCoord pivotBefore);

    plumex::TCvOptions* options_;
    plumex::CanvasHost* host_ = nullptr;
    plumex::ContextMenuSource* contextMenuSource_ = nullptr;
    plumex::Surface* surface_ = nullptr;
    plumex::PixelPoint origin_;
    TCvCoord cursorPos_{-100, -100};
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool sized_ = false;
    bool rulerImagesValid_ = false;
    bool hRulerStale_ = true; // the strip is drawn again before it is next copied
    bool vRulerStale_ = true;
    bool paintSuppressed_ = false;
    double rulerStep_ = 0.5;
    int rulerMajor_ = 2;
    plumex::ToolKind tool_ = plumex::ToolKind::Object;
    int penPath_ = -1;
    std::optional<plumex::MovingGuide> movingGuide_;
    std::unique_ptr<plumex::Drag> drag_;
    plumex::PressContext press_;
    plumex::EditBase base_;
    plumex::HoverState hover_;
    mutable plumex::PathIndex pathIndex_;
    mutable plumex::InkLayer ink_;
    bool levelOfDetail_ = true;
    int paintBands_ = 2;
    std::unique_ptr<plumex::Surface> bandBuffer_; // the second band's pixels
    plumex::InkLayer bandInk_;
    std::array<std::unique_ptr<plumex::ToolBehaviour>, plumex::ToolCount> tools_;
    plumex::MouseEvent lastMouse_;
    std::vector<plumex::RasterImage> cornerImages_;
    plumex::TPict draft_;
    std::optional<TCvHandles> handleClipboard_; // none until the first Copy Handle
    std::vector<TCvLine> pasteBuffer_;
    bool clipboardUnreadable_ = false;
    std::unique_ptr<plumex::RulerCache> hRuler_;
    std::unique_ptr<plumex::RulerCache> vRuler_;
    // Ruler indicator positions (-1: not drawn) and the pixels under them.
    int indicatorX_ = -1;
    int indicatorY_ = -1;
    std::unique_ptr<plumex::Surface> savedColumn_;
    std::unique_ptr<plumex::Surface> savedRow_;
};
