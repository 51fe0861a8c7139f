#pragma once
// The scale and size dialog. Mode 1 asks for the scale, mode 2 for the join range (one
// value each), mode 0 for a width and a height.

#include "canvas/CanvasHost.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSizeDlg(QWidget* parent = nullptr);

    // Sets the texts and values of the mode; nothing else is kept between runs.
    void prepare(const plumex::SizeRequest& request);
    // The values when OK was pressed and the mode accepts them, else nullopt.
    std::optional<plumex::SizeAnswer> answer() const;
    // Shows the dialog modally and returns answer() (nullopt on Cancel).
    std::optional<plumex::SizeAnswer> run(const plumex::SizeRequest& request);

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* EWidth;
    QLineEdit* EHeight;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

private:
    int mode_ = 1;
};
