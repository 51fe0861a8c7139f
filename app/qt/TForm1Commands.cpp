// What the commands of the table ask of the main window, and its option buttons.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/Version.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/SpeedPanel.h"
#include "app/qt/SvgTransfer.h"
#include "canvas/qt/CanvasWidget.h"

#include <QGuiApplication>
#include <QMessageBox>

using namespace plumex;

void TForm1::Exit1Click() {
    close();
}

void TForm1::About1Click() {
    QMessageBox::about(this, QString::fromStdString(caption(D_About)),
                       QStringLiteral("<b>Plumex</b> %1<p>An editor of cubic Bezier paths for "
                                      "POV-Ray prisms, lathes and point arrays.</p>")
                           .arg(QString::fromUtf8(Version)));
}

void TForm1::ToolPanelPos1Click() {
    Options.ToolRight = !Options.ToolRight;
    placeToolPanel();
    updateOptionChecks();
}

void TForm1::setStatusBarShown(bool on) {
    statusPanels()->setVisible(on);
}

void TForm1::repaintStatusBar() {
    statusPanels()->repaint();
}

bool TForm1::clipboardHasPaths() const {
    return clipboardHasPaths_;
}

void TForm1::Import1Click() {
    importSvgDialog(this, canvas());
}

void TForm1::ExportSvg1Click() {
    exportSvgDialog(this, canvas());
}

void TForm1::reportError(const std::string& text) {
    plumex::showError(this, text);
}

void TForm1::showNote(const std::string& text) {
    statusPanels()->setPanelText(MainStatusBar::NotePanel, QString::fromStdString(text));
}

void TForm1::setBusy(bool busy) {
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TForm1::SBOptionClick(int tag, bool down) {
    canvas().CancelDrag();
    switch (tag) {
    case 4:
        canvas().SetOption(CanvasOption::GridSizeFixed, down);
        break;
    case 11:
    case 12:
        if (down) canvas().SetOption(CanvasOption::DimDraft, tag == 12);
        canvas().SetOption(CanvasOption::ShowDraft, down);
        break;
    default:
        if (const auto option = optionOfTag(tag)) canvas().SetOption(*option, down);
        break;
    }
    // The fixed grid size may have been refused; the buttons show what the options are.
    speedPanel()->sync(Options);
}
