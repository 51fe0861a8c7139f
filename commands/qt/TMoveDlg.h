#pragma once
// The move dialog: an offset typed relative to the selection or as the absolute position of a
// picked reference point. The offset is kept from one use to the next.

#include "commands/MoveDialogState.h"
#include "commands/qt/TInputDlg.h"

#include <optional>

class TMoveDlg : public TInputDlg {
    Q_OBJECT
public:
    explicit TMoveDlg(QWidget* parent = nullptr);

    // Title, layout and texts for this use; starts in Relative mode.
    void prepare(const plumex::MoveRequest& request);
    // The offset and whether Copy closed the dialog; nullopt after Cancel.
    std::optional<plumex::MoveAnswer> answer() const;
    std::optional<plumex::MoveAnswer> run(const plumex::MoveRequest& request);

    const plumex::MoveDialogState& state() const { return state_; }

protected:
    void modeChosen(int mode) override;
    void itemPicked(int item) override;
    void valuesEdited() override;

private:
    void showValues();

    plumex::MoveDialogState state_;
};
