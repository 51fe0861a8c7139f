#include "canvas/Window.h"

#include "app/Languages.h"
#include "canvas/Grid.h"
#include "canvas/RulerCache.h"
#include "canvas/ToolBehaviour.h"
#include "model/Identical.h"
#include "raster/Fade.h"

#include <cmath>

using namespace plumex;

TCvWindow::TCvWindow(TCvOptions* options) : options_(options) {
    for (int t = 0; t < ToolCount; ++t) tools_[t] = makeToolBehaviour(static_cast<ToolKind>(t));
    UpdateAutoGrid(Scale());
}

TCvWindow::~TCvWindow() = default;

void TCvWindow::SetSurface(Surface* surface) {
    surface_ = surface;
    hRuler_.reset();
    vRuler_.reset();
    rulerImagesValid_ = false;
    indicatorX_ = indicatorY_ = -1;
}

void TCvWindow::Changed() {
    if (OnChange) OnChange(*this);
}

void TCvWindow::ColorsChanged() {
    hRuler_.reset();
    vRuler_.reset();
    rulerImagesValid_ = false;
    Invalidate();
}

void TCvWindow::HandleCreated() {
    CenterOn({0, 0});
}

bool TCvWindow::GetOption(CanvasOption n) const {
    return options_->option(n);
}

void TCvWindow::SetOption(CanvasOption n, bool value) {
    if (n == CanvasOption::GridSizeFixed) {
        if (value) {
            options_->GridSizeFixed = AskFixedGrid();
        } else {
            options_->GridSizeFixed = false;
            UpdateAutoGrid(Scale());
        }
    } else {
        options_->setOption(n, value);
    }
    if (n == CanvasOption::ShowRuler) {
        rulerImagesValid_ = false;
        indicatorX_ = indicatorY_ = -1;
    }
    invalidateAll();
    Changed();
}

void TCvWindow::SetTool(ToolKind tool) {
    ToolBehaviour& next = *tools_[toolIndex(tool)];
    next.activate(*this);
    if (!next.keepsAnchorSelection()) {
        for (std::size_t i = 0; i < Document.Lines.size(); ++i)
            if (std::as_const(Document.Lines)[i].selected) Document.Lines.selectPath(i, true);
    }
    tool_ = tool;
    EndPenPath();
    refreshCursor();
    invalidateAll();
}

bool TCvWindow::ObjectMode() const {
    return CurrentTool().mode() == EditMode::Objects;
}

bool TCvWindow::AnchorMode() const {
    return CurrentTool().mode() == EditMode::Anchors;
}

void TCvWindow::refreshCursor() {
    if (host_) host_->setCursor(CurrentTool().cursor());
}

void TCvWindow::BeginDrag(std::unique_ptr<Drag> drag) {
    drag_ = std::move(drag);
}

void TCvWindow::EndDrag() {
    drag_.reset();
    if (host_) host_->captureMouse(false);
    refreshCursor();
}

void TCvWindow::CancelDrag() {
    // The anchor under the mouse is known by index, which the coming edit may take away.
    hover_.anchor = {};
    if (!drag_) return;
    drag_->cancel(*this);
    EndDrag();
    press_.button = MouseButton::None;
    base_.taken = false;
}

void TCvWindow::SetCornerImages(std::vector<RasterImage> glyphs) {
    cornerImages_ = std::move(glyphs);
    invalidateAll();
}

void TCvWindow::SetDraft(std::optional<DraftPicture> draft) {
    if (draft)
        draft_.Set(std::move(*draft));
    else
        draft_.Clear();
    invalidateAll();
}

std::string plumex::draftFailureText(const std::string& path, const std::string& reason) {
    return message(errLoadDraft) + "\n" + path + "\n" + reason;
}

bool TCvWindow::LoadDraft(const std::string& path, double width, std::string* error) {
    if (!draft_.Load(path, width, error)) return false;
    const DraftPicture& p = draft_.Picture();
    Document.Settings.draft = {path, p.position, p.factor};
    Document.MarkDraftChanged();
    invalidateAll();
    Changed();
    return true;
}

void TCvWindow::ClearDraft() {
    draft_.Clear();
    if (!Document.Settings.draft.fileName.empty()) Document.MarkDraftChanged();
    Document.Settings.draft = {};
    invalidateAll();
    Changed();
}

// The picture a document names, at its stored place. One that cannot be read is reported,
// and its reference is kept so that saving the document does not lose it.
void TCvWindow::loadDocumentDraft() {
    draft_.Clear();
    const DraftReference& ref = Document.Settings.draft;
    if (ref.fileName.empty()) return;
    std::string reason;
    if (draft_.Load(ref.fileName, 1.0, &reason)) {
        draft_.Place(ref.position, ref.factor);
        options_->ShowDraft = true;
    } else if (host_) {
        host_->messageBox(draftFailureText(ref.fileName, reason), MessageKind::Error);
    }
}

bool TCvWindow::LoadFromFile(const std::string& fileName) {
    CancelDrag();
    paintSuppressed_ = true;
    try {
        Document.LoadFromFile(fileName);
    } catch (...) {
        paintSuppressed_ = false;
        throw;
    }
    paintSuppressed_ = false;
    penPath_ = -1;
    SetScaleOption(Document.Settings.scale);
    CenterOn(Document.Settings.viewCentre);
    loadDocumentDraft();
    invalidateAll();
    Changed();
    return true;
}

bool TCvWindow::SaveToFile(const std::string& fileName, std::string* error) {
    Document.Settings.scale = Scale();
    Document.Settings.viewCentre = ViewCenter();
    return Document.SaveToFile(fileName, error);
}

void TCvWindow::NewDocument() {
    CancelDrag();
    Document.NewDocument();
    draft_.Clear();
    penPath_ = -1;
    invalidateAll();
    Changed();
}

bool TCvWindow::Undo() {
    CancelDrag();
    int pen = penPath_;
    const int penBefore = penPath_;
    const TCvRect selectionBefore = Document.SelectionBounds;
    const TCvCoord pivotBefore = Document.Pivot;
    TUndoBuffer::Restored restored;
    if (!Document.Undo(pen, &restored)) return false;
    restorePenPath(pen);
    invalidateRestored(restored, penBefore, selectionBefore, pivotBefore);
    Changed();
    return true;
}

bool TCvWindow::Redo() {
    CancelDrag();
    int pen = penPath_;
    const int penBefore = penPath_;
    const TCvRect selectionBefore = Document.SelectionBounds;
    const TCvCoord pivotBefore = Document.Pivot;
    TUndoBuffer::Restored restored;
    if (!Document.Redo(pen, &restored)) return false;
    restorePenPath(pen);
    invalidateRestored(restored, penBefore, selectionBefore, pivotBefore);
    Changed();
    return true;
}

void TCvWindow::invalidateRestored(const TUndoBuffer::Restored& restored, int penBefore,
                                   const TCvRect& selectionBefore, TCvCoord pivotBefore) {
    const auto finite = [](const TCvRect& r) {
        return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) &&
               std::isfinite(r.bottom);
    };
    const TCvRect& selection = Document.SelectionBounds;
    if (restored.whole || penPath_ != penBefore || penPath_ >= 0 ||
        (restored.hull && !finite(*restored.hull)) || !finite(selection) ||
        !finite(selectionBefore)) {
        invalidateAll();
        return;
    }
    // The paths written, with room for their anchor and handle squares.
    const int a = AnchorSize() + 2;
    if (restored.hull) {
        const PixelRect r = normalized(UnitRectToPixelRect(*restored.hull));
        InvalidateRect({r.left - a, r.top - a, r.right + a, r.bottom + a});
    }
    // The selection helper's frame, glyphs and marker where they were and where they are.
    const auto helper = [&](const TCvRect& bounds, TCvCoord pivot) {
        const PixelRect r = normalized(UnitRectToPixelRect(bounds));
        constexpr int m = 40;
        if (r.width() < 2 * m || r.height() < 2 * m) {
            InvalidateRect({r.left - m, r.top - m, r.right + m, r.bottom + m});
        } else {
            InvalidateRect({r.left - m, r.top - m, r.right + m, r.top + m});
            InvalidateRect({r.left - m, r.bottom - m, r.right + m, r.bottom + m});
            InvalidateRect({r.left - m, r.top - m, r.left + m, r.bottom + m});
            InvalidateRect({r.right - m, r.top - m, r.right + m, r.bottom + m});
        }
        const PixelPoint c = UnitToPixel(plumex::centre(bounds));
        InvalidateRect({c.x - a, c.y - a, c.x + a, c.y + a});
        const PixelPoint p = UnitToPixel(pivot);
        InvalidateRect({p.x - 10, p.y - 10, p.x + 11, p.y + 11});
    };
    const bool sameSelection =
        selection.left == selectionBefore.left && selection.top == selectionBefore.top &&
        selection.right == selectionBefore.right && selection.bottom == selectionBefore.bottom;
    if (!sameSelection || !plumex::identical(Document.Pivot, pivotBefore) || restored.written > 0) {
        helper(selectionBefore, pivotBefore);
        helper(selection, Document.Pivot);
    }
}
