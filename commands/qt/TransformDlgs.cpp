// The expand, rotate and shear dialogs.

#include "app/Languages.h"
#include "commands/TransformCommands.h"
#include "commands/qt/TExpandDlg.h"
#include "commands/qt/TRotateDlg.h"
#include "commands/qt/TShearDlg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

// Rotate and shear ask for one angle: the Y row goes.
void angleOnly(TInputDlg& dlg) {
    dlg.Label2->hide();
    dlg.EditY->hide();
    dlg.SBYDef->hide();
}

} // namespace

TExpandDlg::TExpandDlg(QWidget* parent) : OriginDlg(parent) {
    setObjectName("ExpandDlg");
    setResetValues(1, 1);
}

void TExpandDlg::prepare(const OriginRequest& request) {
    setWindowTitle(text(D_Expand));
    setModeCaptions(C_Marker, C_SeeRight);
    Label3->setText(text(C_ExpOrigin));
    prepareOrigin(request);
}

std::optional<ExpandAnswer> TExpandDlg::answer() const {
    if (!applied()) return std::nullopt;
    const auto fx = parseValue(EditX->text().toStdString());
    const auto fy = parseValue(EditY->text().toStdString());
    if (!fx || !fy) return ExpandAnswer{0, 0, origin(), copied()};
    return ExpandAnswer{*fx, *fy, origin(), copied()};
}

std::optional<ExpandAnswer> TExpandDlg::run(const OriginRequest& request) {
    prepare(request);
    exec();
    return answer();
}

TRotateDlg::TRotateDlg(QWidget* parent) : OriginDlg(parent) {
    setObjectName("RotateDlg");
    angleOnly(*this);
}

void TRotateDlg::prepare(const OriginRequest& request) {
    setWindowTitle(text(D_Rotate));
    setModeCaptions(C_Marker, C_SeeRight);
    Label1->setText(text(C_RotAngle));
    Label3->setText(text(C_RotOrigin));
    prepareOrigin(request);
}

std::optional<RotateAnswer> TRotateDlg::answer() const {
    if (!applied()) return std::nullopt;
    return RotateAnswer{valueOrZero(EditX->text().toStdString()), origin(), copied()};
}

std::optional<RotateAnswer> TRotateDlg::run(const OriginRequest& request) {
    prepare(request);
    exec();
    return answer();
}

TShearDlg::TShearDlg(QWidget* parent) : OriginDlg(parent) {
    setObjectName("ShearDlg");
    angleOnly(*this);
    RBHorz = new QRadioButton(EditPanel);
    RBVert = new QRadioButton(EditPanel);
    RBHorz->setGeometry(8, 44, 100, 24);
    RBVert->setGeometry(110, 44, 100, 24);
    auto* group = new QButtonGroup(this);
    group->addButton(RBHorz);
    group->addButton(RBVert);
    RBHorz->setChecked(true);
}

void TShearDlg::prepare(const ShearRequest& request) {
    setWindowTitle(text(D_Shear));
    setModeCaptions(C_Marker, C_SeeRight);
    Label1->setText(text(C_RotAngle));
    Label3->setText(text(C_ShrOrigin));
    RBHorz->setText(text(C_ShrHorz));
    RBVert->setText(text(C_ShrVert));
    (shearVertical(RBVert->isChecked(), request.direction) ? RBVert : RBHorz)->setChecked(true);
    prepareOrigin(request.origin);
}

bool TShearDlg::valuesAccepted() {
    if (shearAngleAccepted(valueOrZero(EditX->text().toStdString()))) return true;
    showError(message(errShrAngle));
    return false;
}

std::optional<ShearAnswer> TShearDlg::answer() const {
    if (!applied()) return std::nullopt;
    return ShearAnswer{valueOrZero(EditX->text().toStdString()), RBVert->isChecked(), origin(),
                       copied()};
}

std::optional<ShearAnswer> TShearDlg::run(const ShearRequest& request) {
    prepare(request);
    exec();
    return answer();
}
