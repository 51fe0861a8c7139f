#include "canvas/qt/TGridSizeDlg.h"

#include "app/Languages.h"
#include "canvas/SizeInput.h"
#include "canvas/qt/TwoFieldForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <variant>

namespace {
QString text(int caption) {
    return QString::fromStdString(plumex::caption(caption));
}
} // namespace

TGridSizeDlg::TGridSizeDlg(QWidget* parent) : QDialog(parent) {
    const plumex::TwoFieldForm f = plumex::buildTwoFieldForm(this);
    Label1 = f.label1;
    Label2 = f.label2;
    EdUnits = f.field1;
    EdKnots = f.field2;
    OkBtn = f.ok;
    CancelBtn = f.cancel;
    showError = [this](const std::string& message) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(message));
    };
}

void TGridSizeDlg::prepare(const plumex::GridSize& current) {
    setWindowTitle(text(170));
    Label1->setText(text(235));
    Label2->setText(text(236));
    OkBtn->setText(text(179));
    CancelBtn->setText(text(180));
    EdUnits->setText(QString::number(current.units, 'g', 15));
    EdKnots->setText(QString::number(current.knots));
    EdUnits->setFocus();
}

void TGridSizeDlg::accept() {
    const auto parsed =
        plumex::parseGridSize(EdUnits->text().toStdString(), EdKnots->text().toStdString());
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        // The dialog stays open until the values are valid or it is cancelled.
        if (showError) showError(*error);
        return;
    }
    result_ = std::get<plumex::GridSize>(parsed);
    QDialog::accept();
}

std::optional<plumex::GridSize> TGridSizeDlg::run(const plumex::GridSize& current) {
    prepare(current);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return result_;
}
