#pragma once
// The canvas widget as the main window hosts it: the program's own cursors, message boxes
// through the shell's helper so that they follow the language and can be scripted, and the
// transform and text dialogs, created once and kept with their values.

#include "canvas/qt/CanvasWidget.h"

class TAlignDlg;
class TExpandDlg;
class TMoveDlg;
class TRotateDlg;
class TShearDlg;
class TTextDlg;

namespace plumex {

class ShellCanvas : public CanvasWidget {
    Q_OBJECT
public:
    explicit ShellCanvas(TCvOptions* options, QWidget* parent = nullptr);

    void setCursor(CursorShape shape) override;
    MessageAnswer messageBox(const std::string& text, MessageKind kind) override;
    std::optional<MoveAnswer> runMoveDialog(const MoveRequest& request) override;
    std::optional<ExpandAnswer> runExpandDialog(const OriginRequest& request) override;
    std::optional<RotateAnswer> runRotateDialog(const OriginRequest& request) override;
    std::optional<ShearAnswer> runShearDialog(const ShearRequest& request) override;
    std::optional<AlignAnswer> runAlignDialog(const AlignRequest& request) override;
    std::optional<TextRequest> runTextDialog(std::optional<double> objectSize) override;

    TMoveDlg* moveDlg() const { return MoveDlg_; }
    TExpandDlg* expandDlg() const { return ExpandDlg_; }
    TRotateDlg* rotateDlg() const { return RotateDlg_; }
    TAlignDlg* alignDlg() const { return AlignDlg_; }
    TShearDlg* shearDlg() const { return ShearDlg_; }
    TTextDlg* textDlg() const { return TextDlg_; }

private:
    TMoveDlg* MoveDlg_;
    TExpandDlg* ExpandDlg_;
    TRotateDlg* RotateDlg_;
    TAlignDlg* AlignDlg_;
    TShearDlg* ShearDlg_;
    TTextDlg* TextDlg_;
};

} // namespace plumex
