#pragma once
// The prism and lathe export dialog. Created once; the fields keep what the user entered for
// as long as the program runs, in `state`.

#include "export/PovCheck.h"
#include "export/PovOptions.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace plumex {
class PovFindingsList;
}

class TPOVDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPOVDlg(QWidget* parent = nullptr);

    plumex::PovDlgState state;

    // Sets the texts, panels, remembered name and axis rule for the mode and shows the state.
    void prepare(plumex::PovMode mode, plumex::LatheEdges edges);
    // Takes the controls into `state`; the edited name only with `takeName` (OK).
    void acceptFields(bool takeName = true);
    // prepare, then modal; true on OK.
    bool run(plumex::PovMode mode, plumex::LatheEdges edges);
    // The paths the findings are about, with their places in the drawing; the findings follow
    // the fields while the dialog is open and are worked out off the user-interface thread.
    void setSelection(std::vector<TCvLine> selection, std::vector<int> places = {});
    // The form the dialog exports: the one it opened with, or the lathe when "Export as Lathe"
    // took over from a surface of revolution.
    plumex::PovMode mode() const { return mode_; }
    // The state as the fields stand now, without touching `state`.
    plumex::PovDlgState fieldState(bool takeName) const;

    QLabel* LbDec;
    QRadioButton* RBDirect;
    QRadioButton* RBDeclare;
    QRadioButton* RBLocal;
    QLabel* LbDecName;
    QLineEdit* EDecName;
    QWidget* LathePanel;
    QLabel* Label4;
    QRadioButton* RBNoAlign;
    QRadioButton* RBAlignLeft;
    QRadioButton* RBAlignRight;
    QWidget* PrismPanel;
    QLabel* Label5;
    QLineEdit* Edit1;
    QLabel* Label6;
    QLineEdit* Edit2;
    QLabel* Panel4;
    QPlainTextEdit* Memo1;
    QLabel* Label3;
    QLineEdit* EAccuracy;
    // Conic prism: the apex, with a button that puts it over the selection's centre.
    QWidget* ConicPanel;
    QLabel* LbApex;
    QLineEdit* EApexX;
    QLineEdit* EApexY;
    QPushButton* BtnApexCentre;
    QLabel* ConicHint;
    // Sphere sweep.
    QWidget* SweepPanel;
    QLabel* LbSpline;
    QRadioButton* RBLinear;
    QRadioButton* RBBSpline;
    QRadioButton* RBCubic;
    QLabel* LbRadius;
    QLineEdit* ERadius;
    QLabel* LbTolerance;
    QLineEdit* ETolerance;
    QLabel* SweepHint;
    QLabel* SorHint;
    QPushButton* BtnUseLathe; // sor only: the same profile as a lathe, which takes any

    plumex::PovFindingsList* Findings;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void accept() override;
    // Cancel keeps what was typed, as the fields do, but not the name.
    void reject() override;

signals:
    // A finding was clicked: the drawing index of its path.
    void pathChosen(int place);

private:
    void updateNameField();
    void centreApex();
    void buildLayout();
    void refreshFindings();

    plumex::PovMode mode_ = plumex::PovMode::Prism;
    plumex::LatheEdges edges_;
    std::shared_ptr<const std::vector<TCvLine>> selection_;
    std::vector<int> places_;
    bool preparing_ = false;
};
