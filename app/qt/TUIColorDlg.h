#pragma once
// The colour scheme dialog: the seventeen canvas colours on swatches, changed one at a time on a
// working copy that reaches the colour table only on OK.

#include "app/ColorTable.h"

#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

class TUIColorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TUIColorDlg(QWidget* parent = nullptr);

    QListWidget* ListBox1;
    QPushButton* SetColorBtn;
    QPushButton* ResetBtn;
    QPushButton* CancelBtn;
    QPushButton* OkBtn;

    // Texts of the current language, then the working copy of `colors`.
    void Load(const plumex::ColorTable& colors);
    const plumex::ColorTable& Working() const { return working_; }
    // Runs the dialog modally; on OK the working copy is copied into `colors` and true returned.
    bool Edit(plumex::ColorTable& colors);

    // Changes the selected slot's colour through `chooseColor` (nothing when no slot is chosen).
    void ChangeSelected();
    void ResetToDefaults();

    // The colour picker, preselected with the slot's colour; nothing when cancelled. By default
    // the system colour dialog.
    std::function<std::optional<uint32_t>(uint32_t)> chooseColor;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int selectedSlot() const; // -1 while no item is selected
    plumex::ColorTable working_{};
};
