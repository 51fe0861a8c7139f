#pragma once
// The fixed grid size dialog: the grid step in drawing units and the number of grid lines
// between two step-grid lines. OK with text that does not convert (or a step interval below
// 1) shows the error and keeps the dialog open.

#include "canvas/CanvasHost.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TGridSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TGridSizeDlg(QWidget* parent = nullptr);

    void prepare(const plumex::GridSize& current);
    // Shows the dialog modally; nullopt on Cancel.
    std::optional<plumex::GridSize> run(const plumex::GridSize& current);
    // Shows an error; the default opens a message box (tests replace it).
    std::function<void(const std::string&)> showError;

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* EdUnits;
    QLineEdit* EdKnots;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    void accept() override;

private:
    plumex::GridSize result_;
};
