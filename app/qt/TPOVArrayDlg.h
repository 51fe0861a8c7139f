#pragma once
// The array export dialog. Created once; its fields live in `state` for the whole run.

#include "export/PovCheck.h"
#include "export/PovOptions.h"

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plumex {
class PovFindingsList;
}

class TPOVArrayDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPOVArrayDlg(QWidget* parent = nullptr);

    plumex::PovArrayDlgState state;

    void prepare();
    void acceptFields();
    bool run();
    // The paths the findings are about; they follow the fields while the dialog is open.
    void setSelection(std::vector<TCvLine> selection);
    // The state as the fields stand now, without touching `state`.
    plumex::PovArrayDlgState fieldState() const;

    QLabel* Label1;
    QLineEdit* EdName;
    QRadioButton* RBDeclare;
    QRadioButton* RBLocal;
    QGroupBox* LineGroup;
    QRadioButton* RBLineType1;
    QRadioButton* RBLineType2;
    QRadioButton* RBLineType3;
    QLabel* LabSepCount;
    QLineEdit* EdSepCount;
    QGroupBox* PointGroup;
    QRadioButton* RB2Dim;
    QRadioButton* RB3Dim1;
    QRadioButton* RB3Dim2;
    QLabel* LabVal;
    QLineEdit* EdVal;
    QLabel* Label3;
    QLineEdit* EdAccuracy;
    plumex::PovFindingsList* Findings;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void accept() override;
    void reject() override;

private:
    void updateEnabling();
    void buildLayout();
    void refreshFindings();

    std::shared_ptr<const std::vector<TCvLine>> selection_;
    bool preparing_ = false;
};
