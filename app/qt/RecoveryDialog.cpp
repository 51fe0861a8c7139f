#include "app/qt/RecoveryDialog.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "shell/DocumentCaption.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace plumex {

namespace {
QString text(const std::string& s) {
    return QString::fromStdString(s);
}
// Messages break lines with CR LF; a label wants LF.
QString lines(const std::string& s) {
    return text(s).replace("\r\n", "\n");
}
} // namespace

RecoveryDialog::RecoveryDialog(QWidget* parent, const std::vector<RecoveryCopy>& copies)
    : QDialog(parent) {
    setObjectName("RecoveryDlg");
    setWindowTitle(text(caption(D_Recovery)));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(lines(message(msgRecovery)), this));
    list_ = new QTreeWidget(this);
    list_->setObjectName("RecoveryList");
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setHeaderLabels({text(caption(C_RecoveryDrawing)), text(caption(C_RecoveryTime))});
    for (const RecoveryCopy& copy : copies) {
        // The original's full path, so two copies of files of one name tell apart.
        const std::string name = copy.info.original.empty()
                                     ? documentCaption({}, message(msgNewName)).window
                                     : copy.info.original;
        const QDateTime when = QDateTime::fromSecsSinceEpoch(copy.info.time);
        list_->addTopLevelItem(new QTreeWidgetItem(
            QStringList{text(name), QLocale().toString(when, QLocale::ShortFormat)}));
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    column->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    recover_ = buttons->addButton(text(caption(C_Recover)), QDialogButtonBox::AcceptRole);
    later_ = buttons->addButton(text(caption(C_RecoverLater)), QDialogButtonBox::RejectRole);
    discard_ =
        buttons->addButton(text(caption(C_RecoverDiscard)), QDialogButtonBox::DestructiveRole);
    recover_->setObjectName("Recover");
    later_->setObjectName("Later");
    discard_->setObjectName("Discard");
    recover_->setDefault(true);
    column->addWidget(buttons);
    connect(recover_, &QPushButton::clicked, this, [this] { finish(Choice::Recover); });
    connect(later_, &QPushButton::clicked, this, [this] { finish(Choice::Later); });
    connect(discard_, &QPushButton::clicked, this, [this] { finish(Choice::Discard); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { finish(Choice::Recover); });
    resize(560, 300);
}

void RecoveryDialog::finish(Choice choice) {
    if (choice != Choice::Later && rows().empty()) return;
    choice_ = choice;
    choice == Choice::Later ? reject() : accept();
}

std::vector<std::size_t> RecoveryDialog::rows() const {
    std::vector<std::size_t> rows;
    if (choice_ == Choice::Recover || !list_->selectionModel()->hasSelection()) {
        const int row = list_->indexOfTopLevelItem(list_->currentItem());
        if (row >= 0) rows.push_back(static_cast<std::size_t>(row));
        return rows;
    }
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace plumex
