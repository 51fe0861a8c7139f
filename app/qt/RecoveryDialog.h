#pragma once
// The question at start when earlier editors left recovery copies: every copy in one list,
// and Recover (the current row), Later (keep them all) or Discard (the selected rows).

#include "shell/RecoveryFiles.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace plumex {

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Later, Recover, Discard };

    RecoveryDialog(QWidget* parent, const std::vector<RecoveryCopy>& copies);

    Choice choice() const { return choice_; }
    // The rows chosen: the current one for Recover, the selected ones for Discard.
    std::vector<std::size_t> rows() const;

    QTreeWidget* list() const { return list_; }
    QPushButton* recoverButton() const { return recover_; }
    QPushButton* laterButton() const { return later_; }
    QPushButton* discardButton() const { return discard_; }

private:
    void finish(Choice choice);

    Choice choice_ = Choice::Later;
    QTreeWidget* list_;
    QPushButton* recover_;
    QPushButton* later_;
    QPushButton* discard_;
};

} // namespace plumex
