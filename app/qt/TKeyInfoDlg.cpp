#include "app/qt/TKeyInfoDlg.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabBar>

#include <algorithm>

using namespace plumex;

namespace {

constexpr int StatusHeight = 62;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// One row: Shift+, Ctrl+ and Alt+ in their columns, the key's name, then the menu path after a
// rule.
class KeyRowDelegate : public QStyledItemDelegate {
public:
    KeyRowDelegate(QObject* parent, const std::vector<TKeyInfo>& shown)
        : QStyledItemDelegate(parent), shown_(shown) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const size_t row = static_cast<size_t>(index.row());
        if (row >= shown_.size()) return;
        const TKeyInfo& e = shown_[row];
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
        p->setPen(selected ? option.palette.highlightedText().color()
                           : option.palette.text().color());
        const QFontMetrics fm(option.font);
        const int widths[4] = {fm.horizontalAdvance("Shift+") + 4,
                               fm.horizontalAdvance("Ctrl+") + 2, fm.horizontalAdvance("Alt+") + 2,
                               fm.horizontalAdvance("Enter") + 8};
        const KeyColumns k = keyColumns(e.shortcut);
        const std::string* texts[4] = {&k.shift, &k.ctrl, &k.alt, &k.key};
        int left = r.left();
        for (int i = 0; i < 4; ++i) {
            const QRect cell(left, r.top(), widths[i], r.height());
            p->drawText(cell.adjusted(i == 0 ? 3 : 1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                        qs(*texts[i]));
            left += widths[i];
        }
        p->drawLine(left, r.top(), left, r.bottom());
        p->drawText(QRect(left + 3, r.top() + 1, r.right() - left - 3, r.height()),
                    Qt::AlignLeft | Qt::AlignTop, qs(e.path));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {200, QFontMetrics(option.font).height() + 4};
    }

private:
    const std::vector<TKeyInfo>& shown_;
};

} // namespace

TKeyInfoDlg::TKeyInfoDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::Tool);
    resize(519, 473);
    TC1 = new QTabBar(this);
    TC1->addTab(QString());
    TC1->addTab(QString());
    LB1 = new QListWidget(this);
    QFont font = LB1->font();
    font.setPixelSize(16);
    LB1->setFont(font);
    LB1->setItemDelegate(new KeyRowDelegate(this, shown_));
    StatusBar1 = new QLabel(this);
    StatusBar1->setWordWrap(true);
    StatusBar1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StatusBar1->setContentsMargins(4, 2, 4, 2);
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    connect(TC1, &QTabBar::currentChanged, this, [this] { Rebuild(); });
    connect(LB1, &QListWidget::currentRowChanged, this, [this] { updateStatus(); });
}

void TKeyInfoDlg::Fill() {
    setWindowTitle(qs(caption(D_KeyList)));
    TC1->setTabText(0, qs(caption(C_KeyFunc)));
    TC1->setTabText(1, qs(caption(C_KeyKey)));
    note_ = qs(message(msgKeyInfo));
    entries_ = collectKeyInfo();
    Rebuild();
}

void TKeyInfoDlg::Rebuild() {
    shown_ = entries_;
    if (TC1->currentIndex() == 1)
        std::sort(shown_.begin(), shown_.end(), [](const TKeyInfo& a, const TKeyInfo& b) {
            return keyOrderLess(a.shortcut, b.shortcut);
        });
    LB1->clear();
    for (const TKeyInfo& e : shown_) LB1->addItem(qs(e.path));
    LB1->setFocus();
    updateStatus();
}

void TKeyInfoDlg::updateStatus() {
    const int row = LB1->currentRow();
    const QString hint = row >= 0 && row < static_cast<int>(shown_.size())
                             ? qs(shown_[static_cast<size_t>(row)].hint)
                             : QString();
    StatusBar1->setText(hint + "\n--\n" + note_);
}

void TKeyInfoDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Rebuild();
}

void TKeyInfoDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int tabHeight = TC1->sizeHint().height();
    TC1->setGeometry(0, 0, width(), tabHeight);
    LB1->setGeometry(0, tabHeight, width(), height() - tabHeight - StatusHeight);
    StatusBar1->setGeometry(0, height() - StatusHeight, width(), StatusHeight);
}
