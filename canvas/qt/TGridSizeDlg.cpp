#include "canvas/qt/TGridSizeDlg.h"

#include "app/Languages.h"
#include "canvas/SizeInput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <variant>

namespace {
QString text(int caption) {
    return QString::fromStdString(plumex::caption(caption));
}
} // namespace

TGridSizeDlg::TGridSizeDlg(QWidget* parent) : QDialog(parent) {
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    EdUnits = new QLineEdit(this);
    EdKnots = new QLineEdit(this);
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdUnits, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EdKnots, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &TGridSizeDlg::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
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
