#pragma once
// The bitmap export's options dialog. Created once; its fields live in `state` for the whole
// run, and every edit refreshes the object size, output size and file size estimate at once.

#include "export/ExportBmpState.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;

class TExportBmpDlg : public QDialog {
    Q_OBJECT
public:
    explicit TExportBmpDlg(QWidget* parent = nullptr);

    plumex::ExportBmpState state;

    // Shows the dialog for content of the given size; true on OK.
    bool run(double objectWidth, double objectHeight);
    // Captions from the current language and the fields from `state`.
    void prepare();
    // Writes the three read-only fields from `state`, and turns OK off with the reason shown
    // while the fields cannot make a bitmap.
    void refresh();

    QLabel* Label1;
    QLineEdit* EObjSize;
    QLabel* Label2;
    QLineEdit* EScale;
    QLabel* Label3;
    QLineEdit* EMargins;
    QLabel* Label4;
    QLineEdit* EBitmapSize;
    QLabel* Label5;
    QLineEdit* EFileSize;
    QGroupBox* RGMode;
    QRadioButton* RBGray;
    QRadioButton* RBMono;
    QLabel* LRefusal; // why OK is off, when it is
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

private:
    void buildLayout();
};
