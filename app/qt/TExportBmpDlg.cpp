#include "app/qt/TExportBmpDlg.h"

#include "app/Languages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QLineEdit* readOnly(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace

TExportBmpDlg::TExportBmpDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("ExportBmpDlg");
    Label1 = new QLabel(this);
    EObjSize = readOnly(this);
    Label2 = new QLabel(this);
    EScale = new QLineEdit("100", this);
    Label3 = new QLabel(this);
    EMargins = new QLineEdit("10", this);
    Label4 = new QLabel(this);
    EBitmapSize = readOnly(this);
    Label5 = new QLabel(this);
    EFileSize = readOnly(this);
    RGMode = new QGroupBox(this);
    RBGray = new QRadioButton(RGMode);
    RBMono = new QRadioButton(RGMode);
    RBGray->setChecked(true);
    LRefusal = new QLabel(this);
    LRefusal->setObjectName("LRefusal");
    LRefusal->setWordWrap(true);
    LRefusal->hide();
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    EScale->setObjectName("EScale");
    EMargins->setObjectName("EMargins");
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // Text that does not parse keeps the previous value and the displays, but OK is off with
    // the reason shown: it would export at a scale the field no longer shows.
    connect(EScale, &QLineEdit::textChanged, this, [this](const QString& t) {
        state.setScaleText(t.toStdString());
        refresh();
    });
    connect(EMargins, &QLineEdit::textChanged, this, [this](const QString& t) {
        state.setMarginText(t.toStdString());
        refresh();
    });
    connect(RBGray, &QRadioButton::clicked, this, [this] {
        state.mode = BitmapMode::GreyScale;
        refresh();
    });
    connect(RBMono, &QRadioButton::clicked, this, [this] {
        state.mode = BitmapMode::Monochrome;
        refresh();
    });
    buildLayout();
}

void TExportBmpDlg::buildLayout() {
    auto* grid = new QGridLayout;
    const std::pair<QLabel*, QLineEdit*> rows[] = {{Label1, EObjSize},
                                                   {Label2, EScale},
                                                   {Label3, EMargins},
                                                   {Label4, EBitmapSize},
                                                   {Label5, EFileSize}};
    // The unit labels are fixed English texts.
    const char* units[] = {"Units", "Pixels / Unit", "Pixels", "Pixels", "Bytes"};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(rows[i].first, i, 0);
        grid->addWidget(rows[i].second, i, 1);
        grid->addWidget(new QLabel(units[i], this), i, 2);
    }
    EObjSize->setMinimumWidth(160);
    auto* modes = new QHBoxLayout(RGMode);
    modes->addWidget(RBGray);
    modes->addWidget(RBMono);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(RGMode);
    main->addWidget(LRefusal);
    main->addLayout(buttons);
}

void TExportBmpDlg::prepare() {
    setWindowTitle(text(D_SaveBmp));
    Label1->setText(text(C_SbObjSize));
    Label2->setText(text(C_SbRes));
    Label3->setText(text(C_SbMargin));
    Label4->setText(text(C_SbOutSize));
    Label5->setText(text(C_SbFSize));
    RGMode->setTitle(text(C_SbMode));
    RBGray->setText(text(C_SbMGray));
    RBMono->setText(text(C_SbMMono));
    OkBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));
    RBGray->setChecked(state.mode == BitmapMode::GreyScale);
    RBMono->setChecked(state.mode == BitmapMode::Monochrome);
    refresh();
}

void TExportBmpDlg::refresh() {
    EObjSize->setText(QString::fromStdString(state.objectSizeText()));
    EBitmapSize->setText(QString::fromStdString(state.outputSizeText()));
    EFileSize->setText(QString::fromStdString(state.fileSizeText()));
    const BmpRefusal why = state.refusal();
    OkBtn->setEnabled(why == BmpRefusal::None);
    LRefusal->setVisible(why != BmpRefusal::None);
    switch (why) {
    case BmpRefusal::None:
        LRefusal->clear();
        break;
    case BmpRefusal::Scale:
        LRefusal->setText(QString::fromStdString(message(errBmpScale)));
        break;
    case BmpRefusal::Margin:
        LRefusal->setText(QString::fromStdString(message(errBmpMargin)));
        break;
    case BmpRefusal::Size:
        LRefusal->setText(QString::fromStdString(message(errBmpSize)));
        break;
    }
}

bool TExportBmpDlg::run(double objectWidth, double objectHeight) {
    state.objectWidth = objectWidth;
    state.objectHeight = objectHeight;
    prepare();
    EScale->setFocus();
    return exec() == QDialog::Accepted;
}
