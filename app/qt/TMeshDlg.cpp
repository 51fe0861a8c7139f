#include "app/qt/TMeshDlg.h"

#include "app/Languages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

} // namespace

TMeshDlg::TMeshDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("MeshDlg");
    RBPrism = new QRadioButton(this);
    RBLathe = new QRadioButton(this);
    EHeight = new QLineEdit(this);
    ETolerance = new QLineEdit(this);
    ESegments = new QLineEdit(this);
    EMmPerUnit = new QLineEdit(this);
    LAxes = new QLabel(this);
    LAxes->setWordWrap(true);
    LRefusal = new QLabel(this);
    LRefusal->setWordWrap(true);
    LRefusal->hide();
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    for (QLabel*& l : labels_) l = new QLabel(this);
    const std::pair<QLineEdit*, std::string MeshDlgState::*> fields[] = {
        {EHeight, &MeshDlgState::height},
        {ETolerance, &MeshDlgState::tolerance},
        {ESegments, &MeshDlgState::segments},
        {EMmPerUnit, &MeshDlgState::mmPerUnit}};
    for (const auto& field : fields) {
        std::string MeshDlgState::*member = field.second;
        connect(field.first, &QLineEdit::textEdited, this, [this, member](const QString& t) {
            state.*member = t.toStdString();
            refresh();
        });
    }
    connect(RBPrism, &QRadioButton::clicked, this, [this] {
        state.form = MeshForm::Prism;
        refresh();
    });
    connect(RBLathe, &QRadioButton::clicked, this, [this] {
        state.form = MeshForm::Lathe;
        refresh();
    });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    auto* forms = new QHBoxLayout;
    forms->addWidget(RBPrism);
    forms->addWidget(RBLathe);
    grid->addWidget(labels_[0], 0, 0);
    grid->addLayout(forms, 0, 1);
    QLineEdit* edits[] = {EHeight, ETolerance, ESegments, EMmPerUnit};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(labels_[i + 1], i + 1, 0);
        grid->addWidget(edits[i], i + 1, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(LAxes);
    main->addWidget(LRefusal);
    main->addLayout(buttons);
    setMinimumWidth(420);
}

void TMeshDlg::prepare() {
    setWindowTitle(text(D_ExportMesh));
    const int keys[] = {C_MeshForm, C_MeshHeight, C_MeshTolerance, C_MeshSegments, C_MeshMm};
    for (int i = 0; i < 5; ++i) labels_[i]->setText(text(keys[i]));
    RBPrism->setText(text(C_MeshPrism));
    RBLathe->setText(text(C_MeshLathe));
    LAxes->setText(text(C_MeshAxes));
    OkBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));
    RBPrism->setChecked(state.form == MeshForm::Prism);
    RBLathe->setChecked(state.form == MeshForm::Lathe);
    EHeight->setText(QString::fromStdString(state.height));
    ETolerance->setText(QString::fromStdString(state.tolerance));
    ESegments->setText(QString::fromStdString(state.segments));
    EMmPerUnit->setText(QString::fromStdString(state.mmPerUnit));
    refresh();
}

void TMeshDlg::refresh() {
    const bool prism = state.form == MeshForm::Prism;
    EHeight->setEnabled(prism);
    ESegments->setEnabled(!prism);
    MeshOptions unused;
    const bool ok = state.options(unused);
    OkBtn->setEnabled(ok);
    LRefusal->setVisible(!ok);
    LRefusal->setText(ok ? QString() : QString::fromStdString(message(errMeshFields)));
}

bool TMeshDlg::run(MeshOptions& options) {
    prepare();
    if (exec() != QDialog::Accepted) return false;
    return state.options(options);
}
