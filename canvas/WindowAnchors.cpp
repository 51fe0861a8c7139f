// The Anchor menu and the path clipboard on the editing window. Each command first ends a pen
// path in progress: its floating anchor is no real anchor to join, copy or smooth.
#include "app/LanguageKeys.h"
#include "canvas/ToolBehaviour.h"
#include "canvas/Window.h"

#include "commands/PathClipboard.h"
#include "model/ReadError.h"

#include <cmath>
#include <exception>

using namespace plumex;

namespace {

// One range for every window, kept while the program runs.
double joinRange = 0.1;

template <class Command> bool runAnchorCommand(TCvWindow& window, Command command) {
    window.EndPenPath();
    if (!command(window.Document, window.PenPath())) return false;
    window.Invalidate();
    window.Changed();
    return true;
}

} // namespace

bool TCvWindow::JoinEndAnchors(JoinShape shape) {
    return runAnchorCommand(*this, [shape](TCvDocument& d, int pen) {
        return plumex::JoinEndAnchors(d, shape, 0, pen);
    });
}

bool TCvWindow::JoinNearEndAnchors() {
    EndPenPath();
    if (!host_ || !AnySelectedOpenPath(Document)) return false;
    SizeRequest request;
    request.mode = 2;
    request.width = joinRange;
    request.caption = D_JoinRange;
    double typed = joinRange;
    request.typed = &typed;
    const std::optional<SizeAnswer> answer = host_->runSizeDialog(request);
    // What the field held is kept however the dialog closed, unless it is no range at all.
    if (typed > 0 && std::isfinite(typed)) joinRange = typed;
    if (!answer) return false;
    // The dialog refuses 0; a negative or endless range would be no range either.
    if (!(answer->width > 0) || !std::isfinite(answer->width)) return false;
    joinRange = answer->width;
    const double range = joinRange;
    return runAnchorCommand(*this, [range](TCvDocument& d, int pen) {
        return plumex::JoinEndAnchors(d, JoinShape::Curved, range, pen);
    });
}

bool TCvWindow::SeparateAnchors() {
    return runAnchorCommand(*this, plumex::SeparateAnchors);
}

bool TCvWindow::RemoveAnchors() {
    if (!CurrentTool().editsHandles()) return false;
    return runAnchorCommand(*this, plumex::RemoveAnchors);
}

bool TCvWindow::SmoothAnchors() {
    return runAnchorCommand(*this, plumex::SmoothAnchors);
}

bool TCvWindow::CornerAnchors() {
    return runAnchorCommand(*this, plumex::CornerAnchors);
}

bool TCvWindow::DoubleAnchors() {
    return runAnchorCommand(*this, plumex::DoubleAnchors);
}

bool TCvWindow::MinimizeAnchors() {
    return runAnchorCommand(*this, plumex::MinimizeAnchors);
}

bool TCvWindow::ReverseHandles() {
    return runAnchorCommand(*this, plumex::ReverseHandles);
}

bool TCvWindow::CopyHandle(std::optional<AnchorRef> at) {
    const std::optional<TCvHandles> handles = plumex::CopyHandle(Document, at);
    if (!handles) return false;
    handleClipboard_ = *handles;
    Changed();
    return true;
}

bool TCvWindow::PasteHandle(std::optional<AnchorRef> at) {
    if (!handleClipboard_) return false;
    const TCvHandles handles = *handleClipboard_;
    return runAnchorCommand(
        *this, [&](TCvDocument& d, int pen) { return plumex::PasteHandle(d, handles, at, pen); });
}

bool TCvWindow::Copy() {
    EndPenPath();
    if (Document.CountSelected() == 0 || !host_) return false;
    const CopyScope scope =
        CurrentTool().keepsAnchorSelection() ? CopyScope::AnchorRuns : CopyScope::Paths;
    try {
        host_->setClipboard(ClipboardContentOf(CopiedPaths(Document, scope)));
    } catch (const std::exception& e) {
        host_->messageBox(e.what(), MessageKind::Error);
        return false;
    }
    return true;
}

bool TCvWindow::Cut() {
    return Copy() && DeleteSelection();
}

bool TCvWindow::CutSegments() {
    if (!Copy()) return false;
    const CopyScope scope =
        CurrentTool().keepsAnchorSelection() ? CopyScope::AnchorRuns : CopyScope::Paths;
    return runAnchorCommand(
        *this, [scope](TCvDocument& d, int pen) { return plumex::CutSegments(d, scope, pen); });
}

bool TCvWindow::ReadClipboard(ClipboardErrors errors) {
    pasteBuffer_.clear();
    clipboardUnreadable_ = false;
    if (!host_) return false;
    const ClipboardOffer offer = host_->clipboard();
    try {
        pasteBuffer_ = PasteBufferFrom(offer);
    } catch (const ReadError& e) {
        pasteBuffer_.clear();
        clipboardUnreadable_ = true;
        if (errors == ClipboardErrors::Report) host_->messageBox(e.what(), MessageKind::Error);
    }
    return !pasteBuffer_.empty();
}

bool TCvWindow::Paste(PastePlace place) {
    if (!ReadClipboard(ClipboardErrors::Report)) return false;
    const std::optional<TCvCoord> at =
        place == PastePlace::ViewCentre ? std::optional(ViewCenter()) : std::nullopt;
    return runAnchorCommand(
        *this, [&](TCvDocument& d, int pen) { return PastePaths(d, pasteBuffer_, at, pen); });
}
