#include "commands/qt/OriginDlg.h"

#include <QLabel>

namespace plumex {

namespace {
constexpr int fullWidth = 367;
constexpr int pickerOnlyWidth = fullWidth - 55;
} // namespace

OriginDlg::OriginDlg(QWidget* parent) : TInputDlg(parent) {
    Label3->show();
}

void OriginDlg::prepareOrigin(const OriginRequest& request) {
    request_ = request;
    choice_.open(request.objectTool);
    if (choice_.mode() == OriginPickerOnly) {
        setModePanelWidth(0);
        EditPanel->resize(pickerOnlyWidth - 8, EditPanel->height());
        placePicker(EditPanel, 230);
        setDialogWidth(pickerOnlyWidth);
    } else {
        placePicker(ModePanel, 65);
        setModePanelWidth(135);
        EditPanel->resize(224, EditPanel->height());
        setDialogWidth(fullWidth);
    }
    setMode(choice_.mode());
    setPickedItem(choice_.item());
}

} // namespace plumex
