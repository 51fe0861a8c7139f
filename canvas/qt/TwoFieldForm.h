#pragma once
// The body of the canvas's small number dialogs: two labelled fields above OK and Cancel.

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plumex {

struct TwoFieldForm {
    QLabel* label1;
    QLabel* label2;
    QLineEdit* field1;
    QLineEdit* field2;
    QPushButton* ok;
    QPushButton* cancel;
};

// Lays the widgets out in `dialog`; OK calls its (possibly overridden) accept, Cancel reject.
TwoFieldForm buildTwoFieldForm(QDialog* dialog);

} // namespace plumex
