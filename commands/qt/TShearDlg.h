#pragma once
// The shear dialog: an angle in degrees, horizontal or vertical, about the pivot or a picked
// point. Angles of 90 degrees or more either way are refused and the dialog stays open.

#include "commands/qt/OriginDlg.h"

#include <optional>

class QRadioButton;

class TShearDlg : public plumex::OriginDlg {
    Q_OBJECT
public:
    explicit TShearDlg(QWidget* parent = nullptr);
    QRadioButton* RBHorz;
    QRadioButton* RBVert;

    void prepare(const plumex::ShearRequest& request);
    std::optional<plumex::ShearAnswer> answer() const;
    std::optional<plumex::ShearAnswer> run(const plumex::ShearRequest& request);

protected:
    bool valuesAccepted() override;
};
