#include "app/qt/TPOVArrayDlg.h"

#include "app/Languages.h"
#include "app/qt/PovFindingsList.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
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

// Three katakana middle dots: "and so on".
const QString dots = QString(3, QChar(0x30FB));

} // namespace

TPOVArrayDlg::TPOVArrayDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("POVArrayDlg");
    Label1 = new QLabel(this);
    EdName = new QLineEdit(this);
    RBDeclare = new QRadioButton("#declare", this);
    RBLocal = new QRadioButton("#local", this);
    auto* kind = new QButtonGroup(this);
    kind->addButton(RBDeclare);
    kind->addButton(RBLocal);
    LineGroup = new QGroupBox(this);
    RBLineType1 = new QRadioButton("ACCA ACCA" + dots, LineGroup);
    RBLineType2 = new QRadioButton("ACC ACC" + dots + " A", LineGroup);
    RBLineType3 = new QRadioButton(LineGroup);
    LabSepCount = new QLabel(LineGroup);
    EdSepCount = new QLineEdit(LineGroup);
    PointGroup = new QGroupBox(this);
    RB2Dim = new QRadioButton("<X. Y>", PointGroup);
    RB3Dim1 = new QRadioButton("<X. Y, *>", PointGroup);
    RB3Dim2 = new QRadioButton("<X, *, Y>", PointGroup);
    LabVal = new QLabel("* =", PointGroup);
    EdVal = new QLineEdit(PointGroup);
    Label3 = new QLabel(this);
    EdAccuracy = new QLineEdit(this);
    Findings = new PovFindingsList(this);
    OKBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton* b : {RBLineType1, RBLineType2, RBLineType3, RB2Dim, RB3Dim1, RB3Dim2})
        connect(b, &QRadioButton::toggled, this, [this] {
            updateEnabling();
            refreshFindings();
        });
    for (QLineEdit* e : {EdSepCount, EdAccuracy})
        connect(e, &QLineEdit::textChanged, this, [this] { refreshFindings(); });
    buildLayout();
}

void TPOVArrayDlg::buildLayout() {
    auto* lines = new QGridLayout(LineGroup);
    lines->addWidget(RBLineType1, 0, 0, 1, 2);
    lines->addWidget(RBLineType2, 1, 0, 1, 2);
    lines->addWidget(RBLineType3, 2, 0, 1, 2);
    lines->addWidget(LabSepCount, 3, 0);
    lines->addWidget(EdSepCount, 3, 1);
    auto* points = new QGridLayout(PointGroup);
    points->addWidget(RB2Dim, 0, 0, 1, 2);
    points->addWidget(RB3Dim1, 1, 0, 1, 2);
    points->addWidget(RB3Dim2, 2, 0, 1, 2);
    points->addWidget(LabVal, 3, 0);
    points->addWidget(EdVal, 3, 1);

    auto* head = new QHBoxLayout;
    head->addWidget(Label1);
    head->addWidget(EdName);
    head->addWidget(RBDeclare);
    head->addWidget(RBLocal);
    auto* groups = new QHBoxLayout;
    groups->addWidget(LineGroup);
    groups->addWidget(PointGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label3);
    buttons->addWidget(EdAccuracy);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(head);
    main->addLayout(groups);
    main->addWidget(Findings);
    main->addLayout(buttons);
}

void TPOVArrayDlg::updateEnabling() {
    const bool poly = RBLineType3->isChecked();
    LabSepCount->setEnabled(poly);
    EdSepCount->setEnabled(poly);
    const bool value = !RB2Dim->isChecked();
    LabVal->setEnabled(value);
    EdVal->setEnabled(value);
}

void TPOVArrayDlg::prepare() {
    preparing_ = true;
    setWindowTitle(text(D_Array));
    Label1->setText(text(C_Name));
    LineGroup->setTitle(text(C_LineDef));
    RBLineType3->setText(text(C_PolyLine));
    LabSepCount->setText(text(C_DevBy));
    PointGroup->setTitle(text(C_PtDef));
    Label3->setText(text(C_Accuracy));
    OKBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));

    EdName->setText(QString::fromStdString(state.name));
    RBDeclare->setChecked(!state.local);
    RBLocal->setChecked(state.local);
    RBLineType1->setChecked(state.lineForm == LineForm::AllFour);
    RBLineType2->setChecked(state.lineForm == LineForm::SharedEnds);
    RBLineType3->setChecked(state.lineForm == LineForm::PolyLine);
    EdSepCount->setText(QString::fromStdString(state.divideCount));
    RB2Dim->setChecked(state.pointForm == PointForm::XY);
    RB3Dim1->setChecked(state.pointForm == PointForm::XYValue);
    RB3Dim2->setChecked(state.pointForm == PointForm::XValueY);
    EdVal->setText(QString::fromStdString(state.value));
    EdAccuracy->setText(QString::fromStdString(state.accuracy));
    updateEnabling();
    preparing_ = false;
    refreshFindings();
}

void TPOVArrayDlg::setSelection(std::vector<TCvLine> selection) {
    // The worker threads read this copy; opening checks it, so only an open dialog checks here.
    selection_ = std::make_shared<const std::vector<TCvLine>>(std::move(selection));
    if (isVisible()) refreshFindings();
}

void TPOVArrayDlg::refreshFindings() {
    if (preparing_) return;
    Findings->check(selection_, PovMode::Array, {}, fieldState());
}

PovArrayDlgState TPOVArrayDlg::fieldState() const {
    PovArrayDlgState fields;
    fields.name = EdName->text().toStdString();
    fields.local = RBLocal->isChecked();
    fields.lineForm = RBLineType2->isChecked()   ? LineForm::SharedEnds
                      : RBLineType3->isChecked() ? LineForm::PolyLine
                                                 : LineForm::AllFour;
    fields.divideCount = EdSepCount->text().toStdString();
    fields.pointForm = RB3Dim1->isChecked()   ? PointForm::XYValue
                       : RB3Dim2->isChecked() ? PointForm::XValueY
                                              : PointForm::XY;
    fields.value = EdVal->text().toStdString();
    fields.accuracy = EdAccuracy->text().toStdString();
    return fields;
}

void TPOVArrayDlg::acceptFields() {
    state = fieldState();
}

void TPOVArrayDlg::accept() {
    acceptFields();
    QDialog::accept();
}

void TPOVArrayDlg::reject() {
    acceptFields();
    QDialog::reject();
}

bool TPOVArrayDlg::run() {
    prepare();
    return exec() == QDialog::Accepted;
}
