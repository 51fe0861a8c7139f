#pragma once
// The mesh export's options dialog: form, prism height, tolerance, lathe segments and
// millimetres per unit, with the axis convention stated. Created once; its fields live in
// `state` for the whole run, and OK is off with the reason shown while a field cannot be used.

#include "export/MeshDlgState.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TMeshDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMeshDlg(QWidget* parent = nullptr);

    plumex::MeshDlgState state;

    // Shows the dialog; true on OK, with the options in `options`.
    bool run(plumex::MeshOptions& options);
    void prepare();
    void refresh();

    QRadioButton* RBPrism;
    QRadioButton* RBLathe;
    QLineEdit* EHeight;
    QLineEdit* ETolerance;
    QLineEdit* ESegments;
    QLineEdit* EMmPerUnit;
    QLabel* LAxes;
    QLabel* LRefusal;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

private:
    QLabel* labels_[5];
};
