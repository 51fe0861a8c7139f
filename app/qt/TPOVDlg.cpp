#include "app/qt/TPOVDlg.h"

#include "app/Languages.h"
#include "app/qt/DigitKeyFilter.h"
#include "app/qt/PovFindingsList.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QString fromStd(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TPOVDlg::TPOVDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("POVDlg");
    LbDec = new QLabel(this);
    RBDirect = new QRadioButton(this);
    RBDeclare = new QRadioButton("#declare", this);
    RBLocal = new QRadioButton("#local", this);
    auto* declaration = new QButtonGroup(this);
    for (QRadioButton* b : {RBDirect, RBDeclare, RBLocal}) declaration->addButton(b);
    LbDecName = new QLabel(this);
    EDecName = new QLineEdit(this);
    LathePanel = new QWidget(this);
    Label4 = new QLabel(LathePanel);
    RBNoAlign = new QRadioButton(LathePanel);
    RBAlignLeft = new QRadioButton(LathePanel);
    RBAlignRight = new QRadioButton(LathePanel);
    PrismPanel = new QWidget(this);
    Label5 = new QLabel(PrismPanel);
    Edit1 = new QLineEdit(PrismPanel);
    Label6 = new QLabel(PrismPanel);
    Edit2 = new QLineEdit(PrismPanel);
    Panel4 = new QLabel(this);
    Memo1 = new QPlainTextEdit(this);
    Label3 = new QLabel(this);
    EAccuracy = new QLineEdit(this);
    EAccuracy->installEventFilter(new DigitKeyFilter(this));
    Findings = new PovFindingsList(this);
    OKBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton* b : {RBDirect, RBDeclare, RBLocal})
        connect(b, &QRadioButton::toggled, this, [this] { updateNameField(); });
    // What POV-Ray would make of the export depends on the axis and the accuracy.
    for (QRadioButton* b : {RBNoAlign, RBAlignLeft, RBAlignRight})
        connect(b, &QRadioButton::toggled, this, [this] { refreshFindings(); });
    connect(EAccuracy, &QLineEdit::textChanged, this, [this] { refreshFindings(); });
    connect(Findings, &PovFindingsList::pathClicked, this, [this](int path) {
        const auto k = static_cast<std::size_t>(path - 1);
        if (path >= 1 && k < places_.size()) emit pathChosen(places_[k]);
    });
    buildLayout();
}

void TPOVDlg::buildLayout() {
    auto* lathe = new QHBoxLayout(LathePanel);
    lathe->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(RBNoAlign),
                       static_cast<QWidget*>(RBAlignLeft), static_cast<QWidget*>(RBAlignRight)})
        lathe->addWidget(w);
    auto* prism = new QHBoxLayout(PrismPanel);
    prism->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(Label5), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Label6), static_cast<QWidget*>(Edit2)})
        prism->addWidget(w);

    auto* grid = new QGridLayout;
    grid->addWidget(LbDec, 0, 0);
    auto* kinds = new QHBoxLayout;
    for (QRadioButton* b : {RBDirect, RBDeclare, RBLocal}) kinds->addWidget(b);
    grid->addLayout(kinds, 0, 1);
    grid->addWidget(LbDecName, 1, 0);
    grid->addWidget(EDecName, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label3);
    buttons->addWidget(EAccuracy);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(LathePanel);
    main->addWidget(PrismPanel);
    main->addWidget(Panel4);
    main->addWidget(Memo1);
    main->addWidget(Findings);
    main->addLayout(buttons);
}

void TPOVDlg::updateNameField() {
    const bool named = !RBDirect->isChecked();
    EDecName->setEnabled(named);
    EDecName->setBackgroundRole(named ? QPalette::Base : QPalette::Button);
}

void TPOVDlg::prepare(PovMode mode, LatheEdges edges) {
    preparing_ = true;
    mode_ = mode;
    const bool lathe = mode == PovMode::Lathe;
    setWindowTitle(text(lathe ? D_Lathe : D_Prism));
    LbDec->setText(text(C_POVDec));
    RBDirect->setText(text(C_POVDirect));
    LbDecName->setText(text(C_Name));
    Label4->setText(text(C_POVAxis));
    RBNoAlign->setText(text(C_POVAxisY));
    RBAlignLeft->setText(text(C_POVAxisL));
    RBAlignRight->setText(text(C_POVAxisR));
    Label5->setText(text(C_POVBtm));
    Label6->setText(text(C_POVTop));
    Panel4->setText("  " + text(C_POVStat));
    Label3->setText(text(C_Accuracy));
    OKBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));
    LathePanel->setVisible(lathe);
    PrismPanel->setVisible(!lathe);

    if (lathe) {
        state.prepareLathe(edges);
    } else {
        state.axis = LatheAxis::YAxis;
        state.yAxisEnabled = true;
    }
    // The field shows the number it stands for, except that 0 is left as typed.
    const int accuracy = parseIntegerField(state.accuracy, 15);
    if (accuracy != 0) state.accuracy = std::to_string(accuracy);

    RBDirect->setChecked(state.declaration == PovDeclaration::Direct);
    RBDeclare->setChecked(state.declaration == PovDeclaration::Declare);
    RBLocal->setChecked(state.declaration == PovDeclaration::Local);
    EDecName->setText(fromStd(state.rememberedName(mode)));
    RBNoAlign->setEnabled(state.yAxisEnabled);
    RBNoAlign->setChecked(state.axis == LatheAxis::YAxis);
    RBAlignLeft->setChecked(state.axis == LatheAxis::LeftOfSelection);
    RBAlignRight->setChecked(state.axis == LatheAxis::RightOfSelection);
    Edit1->setText(fromStd(state.bottom));
    Edit2->setText(fromStd(state.top));
    Memo1->setPlainText(fromStd(state.modifiers));
    EAccuracy->setText(fromStd(state.accuracy));
    updateNameField();
    preparing_ = false;
    refreshFindings();
}

void TPOVDlg::setSelection(std::vector<TCvLine> selection, std::vector<int> places) {
    // The worker threads read this copy; nothing here writes it again.
    selection_ = std::make_shared<const std::vector<TCvLine>>(std::move(selection));
    places_ = std::move(places);
    // Opening checks them anyway: checking here too cost a whole check more per opening.
    if (isVisible()) refreshFindings();
}

void TPOVDlg::refreshFindings() {
    if (preparing_) return;
    Findings->check(selection_, mode_, fieldState(false), {});
}

PovDlgState TPOVDlg::fieldState(bool takeName) const {
    PovDlgState fields = state;
    fields.declaration = RBDeclare->isChecked() ? PovDeclaration::Declare
                         : RBLocal->isChecked() ? PovDeclaration::Local
                                                : PovDeclaration::Direct;
    if (takeName) fields.acceptName(mode_, EDecName->text().toStdString());
    if (mode_ == PovMode::Lathe)
        fields.axis = RBAlignLeft->isChecked()    ? LatheAxis::LeftOfSelection
                      : RBAlignRight->isChecked() ? LatheAxis::RightOfSelection
                                                  : LatheAxis::YAxis;
    fields.bottom = Edit1->text().toStdString();
    fields.top = Edit2->text().toStdString();
    fields.modifiers = Memo1->toPlainText().toStdString();
    fields.accuracy = EAccuracy->text().toStdString();
    return fields;
}

void TPOVDlg::acceptFields(bool takeName) {
    state = fieldState(takeName);
}

void TPOVDlg::accept() {
    acceptFields();
    QDialog::accept();
}

void TPOVDlg::reject() {
    acceptFields(false);
    QDialog::reject();
}

bool TPOVDlg::run(PovMode mode, LatheEdges edges) {
    prepare(mode, edges);
    return exec() == QDialog::Accepted;
}
