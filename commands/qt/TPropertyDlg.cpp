#include "commands/qt/TPropertyDlg.h"

#include "app/NumberText.h"
#include "commands/PropertyGrid.h"
#include "export/PovFormat.h"
#include "model/Document.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
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

// Only a changed text is set: a cell whose editor is open would reload that editor.
void setText(QListWidgetItem* item, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (item->text() != t) item->setText(t);
}
void setText(QTableWidgetItem* item, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (item->text() != t) item->setText(t);
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
    // Wide enough for each header and a coordinate such as -123.4567.
    QHeaderView* columns = SGPoints->horizontalHeader();
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, columns) + 4;
    int columnWidth = SGPoints->fontMetrics().horizontalAdvance(QStringLiteral("-000.0000"));
    for (int c = 0; c < PropertyColumnCount; ++c)
        columnWidth = std::max(columnWidth, columns->fontMetrics().horizontalAdvance(
                                                QString::fromLatin1(PropertyHeader(c))));
    columnWidth += margin;
    columns->setDefaultSectionSize(columnWidth);
    for (int c = 0; c < PropertyColumnCount; ++c) SGPoints->setColumnWidth(c, columnWidth);
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

TPropertyDlg::~TPropertyDlg() {
    // An editor left open commits as its view goes. The views go while this panel is still
    // whole, and the commit is dropped: the host's document may already be gone.
    doc_ = nullptr;
    delete Splitter1;
}

void TPropertyDlg::LoadPaths() {
    std::vector<int> paths;
    if (doc_)
        for (size_t i = 0; i < doc_->Lines.size(); ++i)
            if (doc_->Lines[i].selected) paths.push_back(static_cast<int>(i));
    filling_ = true;
    if (paths == paths_) {
        // The same paths: new texts only, so neither the current row nor an open name editor
        // loses its item.
        for (size_t row = 0; row < paths.size(); ++row)
            setText(LBLines->item(static_cast<int>(row)),
                    PropertyItemText(doc_->Lines[static_cast<size_t>(paths[row])]));
        filling_ = false;
        fillGrid();
        return;
    }
    const int keep = shown_;
    LBLines->clear();
    paths_ = std::move(paths);
    int keepRow = 0;
    for (size_t row = 0; row < paths_.size(); ++row) {
        const TCvLine& line = doc_->Lines[static_cast<size_t>(paths_[row])];
        if (paths_[row] == keep) keepRow = static_cast<int>(row);
        auto* item = new QListWidgetItem(QString::fromStdString(PropertyItemText(line)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        LBLines->addItem(item);
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
    const TCvLine* line = doc_ && shown_ >= 0 ? &doc_->Lines[static_cast<size_t>(shown_)] : nullptr;
    // Items are kept and given new texts: the current cell, and an editor open on it, stay.
    SGPoints->setRowCount(line ? line->count() : 0);
    if (line) {
        for (int r = 0; r < line->count(); ++r) {
            const TCvPoint& p = line->points[static_cast<size_t>(r)];
            for (int c = 0; c < PropertyColumnCount; ++c) {
                const std::string text = PropertyCellText(p, c);
                if (QTableWidgetItem* item = SGPoints->item(r, c))
                    setText(item, text);
                else
                    SGPoints->setItem(r, c, new QTableWidgetItem(QString::fromStdString(text)));
            }
        }
    }
    // Anchors picked out on the canvas show as selected rows (a wholly selected path, as the
    // object tool leaves it, picks out none); rows chosen here are left as the user made them.
    if (!choosing_) {
        QItemSelection rows;
        if (line && !allSelected(*line))
            for (int r = 0; r < line->count(); ++r)
                if (line->points[static_cast<size_t>(r)].selected)
                    rows.select(SGPoints->model()->index(r, 0),
                                SGPoints->model()->index(r, PropertyColumnCount - 1));
        SGPoints->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    }
    StatusBar1->showMessage(line ? QString::fromStdString(PropertyItemText(*line)) : QString());
    filling_ = false;
}

int TPropertyDlg::listWidth() const {
    const int items = std::clamp(LBLines->sizeHintForColumn(0), 0, 240);
    return std::max(
        items + 2 * LBLines->frameWidth() + LBLines->verticalScrollBar()->sizeHint().width(), 120);
}

int TPropertyDlg::gridWidth() const {
    return SGPoints->verticalHeader()->sizeHint().width() + SGPoints->horizontalHeader()->length() +
           2 * SGPoints->frameWidth() + SGPoints->verticalScrollBar()->sizeHint().width();
}

int TPropertyDlg::FullWidth() const {
    return listWidth() + Splitter1->handleWidth() + gridWidth();
}

void TPropertyDlg::ShareWidth(int width) {
    const int room = width - Splitter1->handleWidth();
    const int list = std::max(room - gridWidth(), std::min(listWidth(), room / 4));
    Splitter1->setSizes({list, room - list});
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
    choosing_ = true;
    onAnchorsChosen(shown_, std::vector<int>(rows.begin(), rows.end()));
    choosing_ = false;
}
