#include "commands/qt/TInputDlg.h"

#include "app/Languages.h"
#include "commands/InputDialogState.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

using namespace plumex;

namespace {

constexpr int editPanelWidth = 224;
constexpr int modePanelTop = 20;
constexpr int buttonsTop = 100;
constexpr int dialogHeight = 134;

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QToolButton* toggle(QWidget* parent, int x, int y) {
    auto* b = new QToolButton(parent);
    b->setCheckable(true);
    b->setGeometry(x, y, 57, 24);
    return b;
}

} // namespace

TInputDlg::TInputDlg(QWidget* parent) : QDialog(parent) {
    EditPanel = new QWidget(this);
    EditPanel->setGeometry(0, 0, editPanelWidth, buttonsTop);
    Label1 = new QLabel("X:", EditPanel);
    Label1->setGeometry(8, 12, 60, 20);
    EditX = new QLineEdit("0", EditPanel);
    EditX->setGeometry(70, 10, 120, 24);
    SBXDef = new QToolButton(EditPanel);
    SBXDef->setGeometry(194, 10, 24, 24);
    Label2 = new QLabel("Y:", EditPanel);
    Label2->setGeometry(8, 46, 60, 20);
    EditY = new QLineEdit("0", EditPanel);
    EditY->setGeometry(70, 44, 120, 24);
    SBYDef = new QToolButton(EditPanel);
    SBYDef->setGeometry(194, 44, 24, 24);
    Label3 = new QLabel(this);
    Label3->setGeometry(editPanelWidth + 4, 0, 120, 18);
    Label3->hide();

    ModePanel = new QWidget(this);
    SBMode0 = toggle(ModePanel, 2, 8);
    SBMode1 = toggle(ModePanel, 2, 38);
    modeGroup_ = new QButtonGroup(this);
    modeGroup_->addButton(SBMode0, 0);
    modeGroup_->addButton(SBMode1, 1);
    SBMode0->setChecked(true);

    RBGStd = new QWidget(ModePanel);
    pickerGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 9; ++i) {
        picker_[i] = new QRadioButton(RBGStd);
        picker_[i]->setGeometry(4 + (i / 3) * 22, 6 + (i % 3) * 22, 20, 20);
        pickerGroup_->addButton(picker_[i], i);
    }
    picker_[PickerCentre]->setChecked(true);
    RBGStd->setEnabled(false);
    placePicker(ModePanel, 65);
    setModePanelWidth(135);

    CancelBtn = new QPushButton(text(C_Cancel), this);
    CopyBtn = new QPushButton(text(C_Copy), this);
    MoveBtn = new QPushButton(text(C_Apply), this);
    CopyBtn->setEnabled(false);
    MoveBtn->setEnabled(false);
    MoveBtn->setDefault(true);
    setResetValues(0, 0);
    setDialogWidth(367);

    showError = [this](const std::string& message) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(message));
    };
    auto enable = [this] {
        CopyBtn->setEnabled(copyAllowed_);
        MoveBtn->setEnabled(true);
        if (!rewriting_) valuesEdited();
    };
    connect(EditX, &QLineEdit::textChanged, this, enable);
    connect(EditY, &QLineEdit::textChanged, this, enable);
    connect(SBXDef, &QToolButton::clicked, this, [this] { resetEdit(EditX, resetX_); });
    connect(SBYDef, &QToolButton::clicked, this, [this] { resetEdit(EditY, resetY_); });
    connect(modeGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        RBGStd->setEnabled(id != 0);
        modeChosen(id);
    });
    connect(pickerGroup_, &QButtonGroup::idClicked, this, [this](int id) { itemPicked(id); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(MoveBtn, &QPushButton::clicked, this, [this] { finish(Accepted); });
    connect(CopyBtn, &QPushButton::clicked, this, [this] { finish(CopyResult); });
}

int TInputDlg::mode() const {
    return SBMode1->isChecked() ? 1 : 0;
}

void TInputDlg::setMode(int mode) {
    (mode == 0 ? SBMode0 : SBMode1)->setChecked(true);
    RBGStd->setEnabled(mode != 0);
}

int TInputDlg::pickedItem() const {
    return pickerGroup_->checkedId();
}

void TInputDlg::setPickedItem(int item) {
    if (item >= 0 && item < 9) picker_[item]->setChecked(true);
}

void TInputDlg::setResetValues(double x, double y) {
    resetX_ = x;
    resetY_ = y;
    SBXDef->setText(QString::fromStdString(formatValue(x)));
    SBYDef->setText(QString::fromStdString(formatValue(y)));
    const QSignalBlocker blockX(EditX);
    const QSignalBlocker blockY(EditY);
    EditX->setText(SBXDef->text());
    EditY->setText(SBYDef->text());
}

void TInputDlg::setEditTexts(const std::string& x, const std::string& y) {
    rewriting_ = true;
    EditX->setText(QString::fromStdString(x));
    EditY->setText(QString::fromStdString(y));
    rewriting_ = false;
}

void TInputDlg::placePicker(QWidget* panel, int x) {
    RBGStd->setParent(panel);
    RBGStd->setGeometry(x, panel == ModePanel ? 0 : modePanelTop, 70, 72);
    RBGStd->show();
}

void TInputDlg::setModePanelWidth(int width) {
    ModePanel->setGeometry(editPanelWidth, modePanelTop, width, buttonsTop - modePanelTop);
    ModePanel->setVisible(width > 0);
}

void TInputDlg::setDialogWidth(int width) {
    setFixedSize(width, dialogHeight);
    const int w = 70;
    MoveBtn->setGeometry(width - 8 - w, buttonsTop, w, 26);
    CopyBtn->setGeometry(width - 8 - 2 * w - 6, buttonsTop, w, 26);
    CancelBtn->setGeometry(width - 8 - 3 * w - 12, buttonsTop, w, 26);
}

void TInputDlg::setCopyAllowed(bool on) {
    copyAllowed_ = on;
    CopyBtn->setEnabled(on && MoveBtn->isEnabled());
}

void TInputDlg::setModeCaptions(int mode0, int mode1) {
    SBMode0->setText(text(mode0));
    SBMode1->setText(text(mode1));
    CancelBtn->setText(text(C_Cancel));
    CopyBtn->setText(text(C_Copy));
    MoveBtn->setText(text(C_Apply));
}

void TInputDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditX->setFocus();
    EditX->selectAll();
}

void TInputDlg::resetEdit(QLineEdit* edit, double value) {
    if (!resetRewrites(edit->text().toStdString(), value)) return;
    edit->setText(QString::fromStdString(formatValue(value)));
}

void TInputDlg::finish(int result) {
    if (valuesAccepted()) done(result);
}
