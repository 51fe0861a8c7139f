#include "app/qt/ShellCanvas.h"

#include "app/qt/Cursors.h"
#include "app/qt/MessageBoxes.h"
#include "commands/qt/TAlignDlg.h"
#include "commands/qt/TExpandDlg.h"
#include "commands/qt/TMoveDlg.h"
#include "commands/qt/TRotateDlg.h"
#include "commands/qt/TShearDlg.h"
#include "text/qt/TTextDlg.h"

namespace plumex {

ShellCanvas::ShellCanvas(TCvOptions* options, QWidget* parent)
    : CanvasWidget(options, parent), MoveDlg_(new TMoveDlg(this)), ExpandDlg_(new TExpandDlg(this)),
      RotateDlg_(new TRotateDlg(this)), AlignDlg_(new TAlignDlg(this)),
      ShearDlg_(new TShearDlg(this)), TextDlg_(new TTextDlg(this)) {
    for (TInputDlg* dlg : {static_cast<TInputDlg*>(MoveDlg_), static_cast<TInputDlg*>(ExpandDlg_),
                           static_cast<TInputDlg*>(RotateDlg_), static_cast<TInputDlg*>(ShearDlg_)})
        dlg->showError = [dlg](const std::string& text) {
            plumex::messageBox(dlg, text, MessageKind::Error);
        };
}

void ShellCanvas::setCursor(CursorShape shape) {
    QWidget::setCursor(shellCursor(shape));
}

MessageAnswer ShellCanvas::messageBox(const std::string& text, MessageKind kind) {
    return plumex::messageBox(this, text, kind);
}

std::optional<MoveAnswer> ShellCanvas::runMoveDialog(const MoveRequest& request) {
    return MoveDlg_->run(request);
}

std::optional<ExpandAnswer> ShellCanvas::runExpandDialog(const OriginRequest& request) {
    return ExpandDlg_->run(request);
}

std::optional<RotateAnswer> ShellCanvas::runRotateDialog(const OriginRequest& request) {
    return RotateDlg_->run(request);
}

std::optional<ShearAnswer> ShellCanvas::runShearDialog(const ShearRequest& request) {
    return ShearDlg_->run(request);
}

std::optional<AlignAnswer> ShellCanvas::runAlignDialog(const AlignRequest& request) {
    return AlignDlg_->run(request);
}

std::optional<TextRequest> ShellCanvas::runTextDialog(std::optional<double> objectSize) {
    return TextDlg_->run(objectSize);
}

} // namespace plumex
