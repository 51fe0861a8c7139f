#include "app/qt/TPOVDlg.h"

#include "app/Languages.h"
#include "app/qt/DigitKeyFilter.h"
#include "app/qt/PovFindingsList.h"
#include "export/PovFormat.h"

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
    ConicPanel = new QWidget(this);
    LbApex = new QLabel(ConicPanel);
    EApexX = new QLineEdit(ConicPanel);
    EApexY = new QLineEdit(ConicPanel);
    BtnApexCentre = new QPushButton(ConicPanel);
    ConicHint = new QLabel(this);
    SweepPanel = new QWidget(this);
    LbSpline = new QLabel(SweepPanel);
    // POV-Ray's own keywords, the same in every language.
    RBLinear = new QRadioButton("linear_spline", SweepPanel);
    RBBSpline = new QRadioButton("b_spline", SweepPanel);
    RBCubic = new QRadioButton("cubic_spline", SweepPanel);
    LbRadius = new QLabel(SweepPanel);
    ERadius = new QLineEdit(SweepPanel);
    LbTolerance = new QLabel(SweepPanel);
    ETolerance = new QLineEdit(SweepPanel);
    SweepHint = new QLabel(this);
    SorHint = new QLabel(this);
    BtnUseLathe = new QPushButton(this);
    for (QLabel* hint : {ConicHint, SweepHint, SorHint}) hint->setWordWrap(true);
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
    for (QLineEdit* e : {Edit1, Edit2, EApexX, EApexY, ERadius, ETolerance})
        connect(e, &QLineEdit::textChanged, this, [this] { refreshFindings(); });
    for (QRadioButton* b : {RBLinear, RBBSpline, RBCubic})
        connect(b, &QRadioButton::toggled, this, [this] { refreshFindings(); });
    connect(BtnApexCentre, &QPushButton::clicked, this, [this] { centreApex(); });
    // What was typed carries over; the lathe then shows its own name and panel.
    connect(BtnUseLathe, &QPushButton::clicked, this, [this] {
        acceptFields(false);
        prepare(PovMode::Lathe, edges_);
    });
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

    auto* conic = new QHBoxLayout(ConicPanel);
    conic->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(LbApex), static_cast<QWidget*>(EApexX),
                       static_cast<QWidget*>(EApexY), static_cast<QWidget*>(BtnApexCentre)})
        conic->addWidget(w);
    auto* sweep = new QGridLayout(SweepPanel);
    sweep->setContentsMargins(0, 0, 0, 0);
    sweep->addWidget(LbSpline, 0, 0);
    auto* splines = new QHBoxLayout;
    for (QRadioButton* b : {RBLinear, RBBSpline, RBCubic}) splines->addWidget(b);
    sweep->addLayout(splines, 0, 1, 1, 3);
    sweep->addWidget(LbRadius, 1, 0);
    sweep->addWidget(ERadius, 1, 1);
    sweep->addWidget(LbTolerance, 1, 2);
    sweep->addWidget(ETolerance, 1, 3);

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
    main->addWidget(ConicPanel);
    main->addWidget(ConicHint);
    main->addWidget(SweepPanel);
    main->addWidget(SweepHint);
    auto* sor = new QHBoxLayout;
    sor->addWidget(SorHint, 1);
    sor->addWidget(BtnUseLathe);
    main->addLayout(sor);
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
    edges_ = edges;
    const bool turned = turnsAboutAxis(mode);
    const bool swept = mode == PovMode::Prism || mode == PovMode::ConicPrism;
    switch (mode) {
    case PovMode::Lathe:
        setWindowTitle(text(D_Lathe));
        break;
    case PovMode::ConicPrism:
        setWindowTitle(text(D_ConicPrism));
        break;
    case PovMode::SphereSweep:
        setWindowTitle(text(D_SphereSweep));
        break;
    case PovMode::Sor:
        setWindowTitle(text(D_Sor));
        break;
    case PovMode::Prism:
    case PovMode::Array:
        setWindowTitle(text(D_Prism));
        break;
    }
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
    LbApex->setText(text(C_POVApex));
    BtnApexCentre->setText(text(C_POVApexCentre));
    ConicHint->setText(text(C_POVConicHint));
    LbSpline->setText(text(C_POVSpline));
    LbRadius->setText(text(C_POVRadius));
    LbTolerance->setText(text(C_POVTolerance));
    SweepHint->setText(text(C_POVSweepHint));
    SorHint->setText(text(C_POVSorHint));
    BtnUseLathe->setText(text(C_POVUseLathe));
    LathePanel->setVisible(turned);
    PrismPanel->setVisible(swept);
    ConicPanel->setVisible(mode == PovMode::ConicPrism);
    ConicHint->setVisible(mode == PovMode::ConicPrism);
    SweepPanel->setVisible(mode == PovMode::SphereSweep);
    SweepHint->setVisible(mode == PovMode::SphereSweep);
    SorHint->setVisible(mode == PovMode::Sor);
    BtnUseLathe->setVisible(mode == PovMode::Sor);

    if (turned) {
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
    EApexX->setText(fromStd(state.apexX));
    EApexY->setText(fromStd(state.apexY));
    RBLinear->setChecked(state.spline == SweepSpline::Linear);
    RBBSpline->setChecked(state.spline == SweepSpline::BSpline);
    RBCubic->setChecked(state.spline == SweepSpline::Cubic);
    ERadius->setText(fromStd(state.radius));
    ETolerance->setText(fromStd(state.tolerance));
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
    if (turnsAboutAxis(mode_))
        fields.axis = RBAlignLeft->isChecked()    ? LatheAxis::LeftOfSelection
                      : RBAlignRight->isChecked() ? LatheAxis::RightOfSelection
                                                  : LatheAxis::YAxis;
    fields.bottom = Edit1->text().toStdString();
    fields.top = Edit2->text().toStdString();
    fields.modifiers = Memo1->toPlainText().toStdString();
    fields.accuracy = EAccuracy->text().toStdString();
    fields.apexX = EApexX->text().toStdString();
    fields.apexY = EApexY->text().toStdString();
    fields.spline = RBBSpline->isChecked() ? SweepSpline::BSpline
                    : RBCubic->isChecked() ? SweepSpline::Cubic
                                           : SweepSpline::Linear;
    fields.radius = ERadius->text().toStdString();
    fields.tolerance = ETolerance->text().toStdString();
    return fields;
}

void TPOVDlg::centreApex() {
    if (!selection_ || selection_->empty()) return;
    TCvRect box;
    bool any = false;
    for (const TCvLine& line : *selection_) {
        if (line.points.empty()) continue;
        box = any ? unite(box, line.GetBounds()) : line.GetBounds();
        any = true;
    }
    if (!any) return;
    EApexX->setText(fromStd(FormatPovNumber((box.left + box.right) / 2, 6)));
    EApexY->setText(fromStd(FormatPovNumber((box.bottom + box.top) / 2, 6)));
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
