#include "commands/qt/TAlignDlg.h"

#include "app/Languages.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QButtonGroup* radioItems(QGroupBox* box, QObject* owner) {
    auto* group = new QButtonGroup(owner);
    auto* column = new QVBoxLayout(box);
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(box);
        column->addWidget(item);
        group->addButton(item, i);
    }
    group->button(0)->setChecked(true);
    return group;
}

void caption(QButtonGroup* group, int first) {
    for (int i = 0; i < 5; ++i) group->button(i)->setText(text(first + i));
}

} // namespace

TAlignDlg::TAlignDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("AlignDlg");
    RGHorz = new QGroupBox(this);
    RGVert = new QGroupBox(this);
    horz_ = radioItems(RGHorz, this);
    vert_ = radioItems(RGVert, this);
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    auto* groups = new QHBoxLayout;
    groups->addWidget(RGHorz);
    groups->addWidget(RGVert);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TAlignDlg::prepare(const AlignRequest& request) {
    setWindowTitle(text(request.anchorTitle ? D_AlignPts : D_AlignObj));
    RGHorz->setTitle(text(C_AlHorz));
    RGVert->setTitle(text(C_AlVert));
    caption(horz_, C_AlHorzNone);
    caption(vert_, C_AlVertNone);
    OkBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));
}

int TAlignDlg::horizontalItem() const {
    return horz_->checkedId();
}

int TAlignDlg::verticalItem() const {
    return vert_->checkedId();
}

void TAlignDlg::setItems(int horizontal, int vertical) {
    if (horizontal >= 0 && horizontal < 5) horz_->button(horizontal)->setChecked(true);
    if (vertical >= 0 && vertical < 5) vert_->button(vertical)->setChecked(true);
}

std::optional<AlignAnswer> TAlignDlg::answer() const {
    if (result() != Accepted) return std::nullopt;
    return AlignAnswer{static_cast<Align>(horizontalItem()), static_cast<Align>(verticalItem())};
}

std::optional<AlignAnswer> TAlignDlg::run(const AlignRequest& request) {
    prepare(request);
    exec();
    return answer();
}
