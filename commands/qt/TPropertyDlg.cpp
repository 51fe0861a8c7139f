#include "commands/qt/TPropertyDlg.h"

#include "app/NumberText.h"
#include "commands/PropertyGrid.h"
#include "export/PovFormat.h"
#include "model/Document.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

using namespace plumex;

namespace {

// Edits start from the coordinate itself (a "--" handle from its anchor's value) and commit
// through the panel, which refuses text that is not a number.
class CommitDelegate : public QStyledItemDelegate {
public:
    using Start = std::function<QString(const QModelIndex&)>;
    using Commit = std::function<void(const QModelIndex&, const QString&)>;
    CommitDelegate(QObject* parent, Start start, Commit commit)
        : QStyledItemDelegate(parent), start_(std::move(start)), commit_(std::move(commit)) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setText(start_(index));
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) commit_(index, line->text());
    }

private:
    Start start_;
    Commit commit_;
};

bool allSelected(const TCvLine& line) {
    for (const TCvPoint& p : line.points)
        if (!p.selected) return false;
    return true;
}

std::string notANumber(const QString& text) {
    return "'" + text.toStdString() + "' is not a valid floating point value";
}

} // namespace

TPropertyDlg::TPropertyDlg(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Property"));
    LBLines = new QListWidget;
    SGPoints = new QTableWidget(1, PropertyColumnCount);
    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->addWidget(LBLines);
    Splitter1->addWidget(SGPoints);
    Splitter1->setStretchFactor(1, 1);
    StatusBar1 = new QStatusBar;
    StatusBar1->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(StatusBar1);

    for (int c = 0; c < PropertyColumnCount; ++c) {
        auto* header = new QTableWidgetItem(QString::fromLatin1(PropertyHeader(c)));
        header->setForeground(PropertyIsHandleColumn(c) ? QColor(0, 0, 128) : QColor(0, 0, 0));
        SGPoints->setHorizontalHeaderItem(c, header);
    }
    SGPoints->setRowCount(0);
    SGPoints->setSelectionBehavior(QAbstractItemView::SelectItems);
    SGPoints->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SGPoints->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);

    SGPoints->setItemDelegate(new CommitDelegate(
        this,
        [this](const QModelIndex& i) {
            const TCvLine& line = doc_->Lines[static_cast<size_t>(shown_)];
            const TCvPoint& p = line.points[static_cast<size_t>(i.row())];
            return QString::fromStdString(FormatPovNumber(PropertyCellValue(p, i.column()), 15));
        },
        [this](const QModelIndex& i, const QString& text) {
            CommitCell(i.row(), i.column(), text);
        }));
    LBLines->setItemDelegate(new CommitDelegate(
        this,
        [this](const QModelIndex& i) {
            return QString::fromStdString(
                doc_->Lines[static_cast<size_t>(paths_[static_cast<size_t>(i.row())])].name);
        },
        [this](const QModelIndex& i, const QString& text) { CommitName(i.row(), text); }));

    showError = [this](const std::string& message) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(message));
    };
    connect(LBLines, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) ShowPath(row);
    });
    connect(SGPoints, &QTableWidget::itemSelectionChanged, this,
            [this] { gridSelectionChanged(); });
}

void TPropertyDlg::LoadPaths() {
    filling_ = true;
    const int keep = shown_;
    LBLines->clear();
    paths_.clear();
    shown_ = -1;
    int keepRow = 0;
    if (doc_) {
        for (size_t i = 0; i < doc_->Lines.size(); ++i) {
            const TCvLine& line = doc_->Lines[i];
            if (!line.selected) continue;
            if (static_cast<int>(i) == keep) keepRow = static_cast<int>(paths_.size());
            paths_.push_back(static_cast<int>(i));
            auto* item = new QListWidgetItem(QString::fromStdString(PropertyItemText(line)));
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            LBLines->addItem(item);
        }
    }
    if (!paths_.empty()) LBLines->setCurrentRow(keepRow);
    filling_ = false;
    ShowPath(paths_.empty() ? -1 : keepRow);
}

void TPropertyDlg::ShowPath(int listRow) {
    shown_ = listRow >= 0 && listRow < static_cast<int>(paths_.size())
                 ? paths_[static_cast<size_t>(listRow)]
                 : -1;
    fillGrid();
}

void TPropertyDlg::fillGrid() {
    filling_ = true;
    SGPoints->clearContents();
    const TCvLine* line = doc_ && shown_ >= 0 ? &doc_->Lines[static_cast<size_t>(shown_)] : nullptr;
    SGPoints->setRowCount(line ? line->count() : 0);
    if (line) {
        for (int r = 0; r < line->count(); ++r) {
            const TCvPoint& p = line->points[static_cast<size_t>(r)];
            for (int c = 0; c < PropertyColumnCount; ++c)
                SGPoints->setItem(
                    r, c, new QTableWidgetItem(QString::fromStdString(PropertyCellText(p, c))));
        }
        // Anchors picked out on the canvas show as selected rows (a wholly selected path, as the
        // object tool leaves it, picks out none).
        if (!allSelected(*line))
            for (int r = 0; r < line->count(); ++r)
                if (line->points[static_cast<size_t>(r)].selected) SGPoints->selectRow(r);
    }
    StatusBar1->showMessage(line ? QString::fromStdString(PropertyItemText(*line)) : QString());
    filling_ = false;
}

bool TPropertyDlg::CommitCell(int row, int column, const QString& text) {
    if (!doc_ || shown_ < 0) return false;
    const std::optional<double> value = parseDecimal(text.toStdString());
    if (!value) {
        if (showError) showError(notANumber(text));
        fillGrid();
        return false;
    }
    const bool changed =
        SetPointCoordinate(*doc_, shown_, row, column, *value, penPath ? penPath() : -1);
    if (changed && onEdited) onEdited();
    LoadPaths();
    return changed;
}

bool TPropertyDlg::CommitName(int listRow, const QString& text) {
    if (!doc_ || listRow < 0 || listRow >= static_cast<int>(paths_.size())) return false;
    const bool changed = RenamePath(*doc_, paths_[static_cast<size_t>(listRow)], text.toStdString(),
                                    penPath ? penPath() : -1);
    if (changed && onEdited) onEdited();
    LoadPaths();
    return changed;
}

void TPropertyDlg::gridSelectionChanged() {
    if (filling_ || shown_ < 0 || !onAnchorsChosen) return;
    std::set<int> rows;
    for (const QModelIndex& i : SGPoints->selectionModel()->selectedIndexes()) rows.insert(i.row());
    onAnchorsChosen(shown_, std::vector<int>(rows.begin(), rows.end()));
}
