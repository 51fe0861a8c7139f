#include "canvas/qt/TwoFieldForm.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plumex {

TwoFieldForm buildTwoFieldForm(QDialog* dialog) {
    const TwoFieldForm f{new QLabel(dialog),    new QLabel(dialog),      new QLineEdit(dialog),
                         new QLineEdit(dialog), new QPushButton(dialog), new QPushButton(dialog)};
    f.ok->setDefault(true);
    auto* grid = new QGridLayout;
    grid->addWidget(f.label1, 0, 0);
    grid->addWidget(f.field1, 0, 1);
    grid->addWidget(f.label2, 1, 0);
    grid->addWidget(f.field2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(f.ok);
    buttons->addWidget(f.cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    QObject::connect(f.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(f.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return f;
}

} // namespace plumex
