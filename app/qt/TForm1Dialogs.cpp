// The shell's own dialogs: the shortcut list, the colour scheme and the property panel.

#include "app/qt/TForm1.h"

#include "app/ColorTable.h"
#include "app/qt/TKeyInfoDlg.h"
#include "app/qt/TUIColorDlg.h"
#include "canvas/Window.h"
#include "commands/qt/TPropertyDlg.h"

#include <QDockWidget>
#include <QScreen>
#include <QStyle>

#include <algorithm>

using namespace plumex;

void TForm1::AboutKey1Click() {
    // Made once and kept, so the chosen tab survives between showings.
    if (!KeyInfoDlg_) KeyInfoDlg_ = new TKeyInfoDlg(this);
    KeyInfoDlg_->Fill();
    KeyInfoDlg_->exec();
}

void TForm1::SetColors1Click() {
    TUIColorDlg dlg(this);
    if (dlg.Edit(colorTable())) canvas().ColorsChanged();
}

void TForm1::Property1Click() {
    const bool created = !PropertyDlg_;
    if (created) {
        PropertyDock_ = new QDockWidget(this);
        PropertyDock_->setObjectName("PropertyDock");
        PropertyDlg_ = new TPropertyDlg(PropertyDock_);
        PropertyDock_->setWidget(PropertyDlg_);
        PropertyDock_->setWindowTitle(PropertyDlg_->windowTitle());
        addDockWidget(Qt::RightDockWidgetArea, PropertyDock_);
        PropertyDlg_->SetDocument(&canvas().Document);
        PropertyDlg_->penPath = [this] { return canvas().PenPath(); };
        PropertyDlg_->onEdited = [this] {
            canvas().Document.SelectionChanged();
            canvas().Invalidate();
            canvas().Changed();
        };
        PropertyDlg_->onAnchorsChosen = [this](int line, const std::vector<int>& anchors) {
            TCvWindow& w = canvas();
            if (line < 0 || line >= static_cast<int>(w.Document.Lines.size())) return;
            if (w.Tool() != ToolKind::Anchor) SelectTool(ToolKind::Anchor);
            TCvLine& path = w.Document.Lines[static_cast<size_t>(line)];
            for (TCvPoint& p : path.points) p.selected = 0;
            for (int i : anchors)
                if (i >= 0 && i < path.count()) path.points[static_cast<size_t>(i)].selected = 1;
            path.UpdateSelected();
            w.Invalidate();
            w.Changed();
        };
    }
    PropertyDock_->show();
    PropertyDock_->raise();
    PropertyDlg_->LoadPaths();
    if (created) {
        // Wide enough for the list and all six columns. A window too narrow for that beside its
        // canvas grows as far as its screen allows, and the panel takes two thirds of it at
        // most. Later showings keep whatever width the user left the panel at.
        const int frame = 2 * PropertyDock_->style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth,
                                                                  nullptr, PropertyDock_);
        const int full = PropertyDlg_->FullWidth() + frame;
        if (!isMaximized() && !isFullScreen() && screen()) {
            const QRect room = screen()->availableGeometry();
            const int border = frameGeometry().width() - width();
            const int grown = std::min(width() + full, room.width() - border);
            if (grown > width()) {
                resize(grown, height());
                if (frameGeometry().right() > room.right())
                    move(std::max(room.left(), room.right() + 1 - frameGeometry().width()), y());
            }
        }
        const int width = std::max(PropertyDock_->minimumSizeHint().width(),
                                   std::min(full, this->width() * 2 / 3));
        resizeDocks({PropertyDock_}, {width}, Qt::Horizontal);
        PropertyDlg_->ShareWidth(width - frame);
    }
}

void TForm1::refreshPropertyPanel() {
    if (PropertyDock_ && !PropertyDock_->isHidden()) PropertyDlg_->LoadPaths();
}
