#include "commands/qt/TMoveDlg.h"

#include "app/Languages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

std::string notANumber(const QString& s) {
    return "'" + s.toStdString() + "' is not a valid floating point value";
}

} // namespace

TMoveDlg::TMoveDlg(QWidget* parent) : TInputDlg(parent) {
    setObjectName("MoveDlg");
}

void TMoveDlg::prepare(const MoveRequest& request) {
    setWindowTitle(text(request.anchorMode ? D_MovePts : D_MoveObj));
    setModeCaptions(C_Rel, C_Abs);
    state_.open(request.reference);
    setMode(0);
    switch (request.layout) {
    case MoveLayout::Point:
        setModePanelWidth(61);
        break;
    case MoveLayout::RelativeOnly:
        setModePanelWidth(0);
        break;
    case MoveLayout::Full:
        setModePanelWidth(135);
        break;
    }
    setDialogWidth(moveDialogWidth(request.layout));
    setCopyAllowed(request.canCopy);
    showValues();
}

std::optional<MoveAnswer> TMoveDlg::answer() const {
    if (result() != Accepted && result() != CopyResult) return std::nullopt;
    return MoveAnswer{state_.offset(), copied()};
}

std::optional<MoveAnswer> TMoveDlg::run(const MoveRequest& request) {
    prepare(request);
    exec();
    return answer();
}

void TMoveDlg::modeChosen(int mode) {
    state_.setAbsolute(mode == 1);
    showValues();
}

void TMoveDlg::itemPicked(int item) {
    state_.pick(item);
    showValues();
}

void TMoveDlg::valuesEdited() {
    if (state_.edit(EditX->text().toStdString(), EditY->text().toStdString())) return;
    // Half-typed numbers ("-", an emptied field) wait for the next keystroke.
    for (const QLineEdit* edit : {EditX, EditY}) {
        const std::string typed = edit->text().toStdString();
        if (!parseValue(typed) && !isUnfinishedNumber(typed)) {
            showError(notANumber(edit->text()));
            return;
        }
    }
}

void TMoveDlg::showValues() {
    setPickedItem(state_.item());
    setEditTexts(state_.textX(), state_.textY());
}
