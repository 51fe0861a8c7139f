#pragma once
// The base of the expand, rotate and shear dialogs: the origin is the pivot ("Marker") or a
// picked point of the selection; with a tool other than the object tool only the picker shows.

#include "commands/InputDialogState.h"
#include "commands/qt/TInputDlg.h"

namespace plumex {

class OriginDlg : public TInputDlg {
    Q_OBJECT
public:
    explicit OriginDlg(QWidget* parent = nullptr);

    const OriginChoice& originChoice() const { return choice_; }
    TCvCoord origin() const { return choice_.origin(request_); }
    // Closed with Apply or Copy.
    bool applied() const { return result() == Accepted || result() == CopyResult; }

protected:
    // Chooses the origin layout for this use: mode 3 puts the picker beside the edits.
    void prepareOrigin(const OriginRequest& request);
    void modeChosen(int mode) override { choice_.setMode(mode); }
    void itemPicked(int item) override { choice_.pick(item); }

private:
    OriginChoice choice_;
    OriginRequest request_;
};

} // namespace plumex
