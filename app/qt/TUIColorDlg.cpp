#include "app/qt/TUIColorDlg.h"

#include "app/Languages.h"

#include <QColorDialog>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

using namespace plumex;

namespace {

constexpr int SwatchWidth = 24;
constexpr int StripHeight = 42;

QColor toQColor(uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t fromQColor(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

// Each item: the slot's working colour as a swatch, then its name.
class SwatchDelegate : public QStyledItemDelegate {
public:
    SwatchDelegate(QObject* parent, const ColorTable& colors)
        : QStyledItemDelegate(parent), colors_(colors) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        QRect swatch = option.rect;
        swatch.setWidth(SwatchWidth);
        p->fillRect(swatch, toQColor(colors_[static_cast<size_t>(index.row())]));
        p->setPen(selected ? pal.highlightedText().color() : pal.text().color());
        p->drawText(option.rect.adjusted(SwatchWidth + 2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                    index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {100, 18};
    }

private:
    const ColorTable& colors_;
};

QString text(int key) {
    return QString::fromStdString(caption(key));
}

} // namespace

TUIColorDlg::TUIColorDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::Tool);
    resize(343, 384);
    ListBox1 = new QListWidget(this);
    ListBox1->setItemDelegate(new SwatchDelegate(this, working_));
    QFont font = ListBox1->font();
    font.setPixelSize(16);
    ListBox1->setFont(font);
    SetColorBtn = new QPushButton(this);
    ResetBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    SetColorBtn->setEnabled(false);

    chooseColor = [this](uint32_t c) -> std::optional<uint32_t> {
        const QColor chosen = QColorDialog::getColor(toQColor(c), this);
        if (!chosen.isValid()) return std::nullopt;
        return fromQColor(chosen);
    };
    // The list's first focus makes row 0 current without selecting it: only a selection counts.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { SetColorBtn->setEnabled(selectedSlot() >= 0); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ChangeSelected(); });
    connect(SetColorBtn, &QPushButton::clicked, this, [this] { ChangeSelected(); });
    connect(ResetBtn, &QPushButton::clicked, this, [this] { ResetToDefaults(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TUIColorDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int strip = height() - StripHeight;
    ListBox1->setGeometry(0, 0, width(), strip);
    int left = 8;
    for (QPushButton* b : {SetColorBtn, ResetBtn, CancelBtn, OkBtn}) {
        b->setGeometry(left, strip + 8, 75, 25);
        left += 80;
    }
}

void TUIColorDlg::Load(const ColorTable& colors) {
    setWindowTitle(text(D_UIColor));
    SetColorBtn->setText(text(C_Change));
    ResetBtn->setText(text(C_Default));
    CancelBtn->setText(text(C_Cancel));
    OkBtn->setText(text(C_Ok));
    working_ = colors;
    ListBox1->clear();
    for (int slot = 0; slot < ColorCount; ++slot) ListBox1->addItem(text(C_ClBk + slot));
    SetColorBtn->setEnabled(false);
}

bool TUIColorDlg::Edit(ColorTable& colors) {
    Load(colors);
    if (exec() != QDialog::Accepted) return false;
    colors = working_;
    return true;
}

int TUIColorDlg::selectedSlot() const {
    const QList<QListWidgetItem*> items = ListBox1->selectedItems();
    return items.isEmpty() ? -1 : ListBox1->row(items.front());
}

void TUIColorDlg::ChangeSelected() {
    const int row = selectedSlot();
    if (row < 0 || row >= ColorCount || !chooseColor) return;
    if (const auto c = chooseColor(working_[static_cast<size_t>(row)])) {
        working_[static_cast<size_t>(row)] = *c;
        ListBox1->viewport()->update();
    }
}

void TUIColorDlg::ResetToDefaults() {
    working_ = defaultColors();
    ListBox1->viewport()->update();
}
