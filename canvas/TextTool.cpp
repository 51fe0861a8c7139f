#include "canvas/TextTool.h"

#include "canvas/ShapeTool.h"
#include "canvas/Window.h"
#include "model/ReadError.h"

namespace plumex {

void TextTool::press(TCvWindow& window, const MouseEvent&) {
    window.SnapPressPixel();
    window.BeginDrag(std::make_unique<ShapeBandDrag>(
        window,
        [this](TCvWindow& w, const PixelRect& band, const MouseEvent& e) {
            if (w.Press().doubleClick) return;
            CreateText(w, (e.shift & ssCtrl) != 0, w.PixelRectToUnitRect(normalized(band)));
        },
        BandShape::Rectangle));
}

bool TextTool::CreateText(TCvWindow& window, bool reuse, const TCvRect& rect) {
    CanvasHost* host = window.Host();
    if (!(reuse && last_ && !last_->text.empty())) {
        if (!host) return false;
        std::optional<double> size;
        if (rect.top - rect.bottom > window.PixelsToUnits(2)) size = rect.top - rect.bottom;
        std::optional<TextRequest> r = host->runTextDialog(size);
        if (!r || r->text.empty()) return false;
        last_ = std::move(r);
    }
    TextOutlines text;
    try {
        text = MakeTextOutlines(*last_, {rect.left, rect.bottom});
    } catch (const ReadError& e) {
        if (host) host->messageBox(e.what(), MessageKind::Error);
        return false;
    }
    TCvDocument& doc = window.Document;
    doc.DeselectAll();
    doc.Lines.insert(doc.Lines.end(), std::make_move_iterator(text.paths.begin()),
                     std::make_move_iterator(text.paths.end()));
    doc.SelectionChanged();
    return window.FinishEdit();
}

} // namespace plumex
