#pragma once
// The common base of the move, expand, rotate and shear dialogs: two number edits with reset
// buttons, two mode buttons, the nine-point reference picker and Cancel, Copy and Apply.
// Controls sit at fixed pixel positions so each dialog can show the layout its mode asks for.

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TInputDlg : public QDialog {
    Q_OBJECT
public:
    // The result of a dialog closed with Copy: transform a copy.
    static constexpr int CopyResult = 2;

    explicit TInputDlg(QWidget* parent = nullptr);

    QWidget* EditPanel;
    QLabel* Label1;
    QLineEdit* EditX;
    QToolButton* SBXDef;
    QLabel* Label2;
    QLineEdit* EditY;
    QToolButton* SBYDef;
    QLabel* Label3;
    QWidget* ModePanel;
    QToolButton* SBMode0;
    QToolButton* SBMode1;
    QWidget* RBGStd; // the picker: nine radio items without captions
    QPushButton* CancelBtn;
    QPushButton* CopyBtn;
    QPushButton* MoveBtn;

    // 0 or 1 by the mode buttons; any mode but 0 enables the picker.
    int mode() const;
    void setMode(int mode);
    int pickedItem() const;
    void setPickedItem(int item);
    QRadioButton* pickerItem(int item) const { return picker_[item]; }
    bool copied() const { return result() == CopyResult; }
    // Without copying, CopyBtn stays disabled whatever is typed.
    void setCopyAllowed(bool on);
    // Error boxes (a number that does not convert, a refused value); by default a plain
    // message box, the host puts its own in.
    std::function<void(const std::string&)> showError;

protected:
    // The reset values of the two edits, which the reset buttons carry as captions and the
    // edits start with.
    void setResetValues(double x, double y);
    // Rewrites the edits without counting as the user's editing.
    void setEditTexts(const std::string& x, const std::string& y);
    // Applies one of the fixed layouts: the picker in the mode panel (x = 65) or in the edit
    // panel, the mode panel's width (0 hides it) and the dialog width.
    void placePicker(QWidget* panel, int x);
    void setModePanelWidth(int width);
    void setDialogWidth(int width);
    // Captions of the mode buttons and the three buttons from the current language.
    void setModeCaptions(int mode0, int mode1);

    virtual void modeChosen(int) {}
    virtual void itemPicked(int) {}
    virtual void valuesEdited() {}
    // Checked when Apply or Copy is pressed; false keeps the dialog open.
    virtual bool valuesAccepted() { return true; }

    void showEvent(QShowEvent* event) override;

private:
    void resetEdit(QLineEdit* edit, double value);
    void finish(int result);

    QButtonGroup* modeGroup_;
    QButtonGroup* pickerGroup_;
    std::array<QRadioButton*, 9> picker_{};
    double resetX_ = 0;
    double resetY_ = 0;
    bool rewriting_ = false;
    bool copyAllowed_ = true;
};
