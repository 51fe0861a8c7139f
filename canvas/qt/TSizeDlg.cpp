#include "canvas/qt/TSizeDlg.h"

#include "app/Languages.h"
#include "canvas/SizeInput.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Drops printable keystrokes other than digits and ".".
class SizeKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            for (QChar ch : text)
                if (!plumex::sizeKeyAllowed(ch.unicode())) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString text(int caption) {
    return QString::fromStdString(plumex::caption(caption));
}

} // namespace

TSizeDlg::TSizeDlg(QWidget* parent) : QDialog(parent) {
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    EWidth = new QLineEdit(this);
    EHeight = new QLineEdit(this);
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    auto* filter = new SizeKeyFilter(this);
    EWidth->installEventFilter(filter);
    EHeight->installEventFilter(filter);
    OkBtn->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EWidth, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EHeight, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSizeDlg::prepare(const plumex::SizeRequest& request) {
    mode_ = request.mode;
    setWindowTitle(text(175));
    OkBtn->setText(text(179));
    CancelBtn->setText(text(180));
    const bool two = mode_ == 0;
    Label1->setText(text(two ? 252 : mode_ == 2 ? 255 : 254));
    Label2->setText(text(253));
    Label2->setVisible(two);
    EHeight->setVisible(two);
    EWidth->setText(QString::number(request.width, 'g', 15));
    EHeight->setText(QString::number(request.height, 'g', 15));
    setFixedHeight(two ? 136 : 100);
    EWidth->setFocus();
    EWidth->selectAll();
}

std::optional<plumex::SizeAnswer> TSizeDlg::answer() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    const double w = plumex::sizeFieldValue(EWidth->text().toStdString());
    const double h = mode_ == 0 ? plumex::sizeFieldValue(EHeight->text().toStdString()) : 0;
    return plumex::acceptSize(mode_, w, h);
}

std::optional<plumex::SizeAnswer> TSizeDlg::run(const plumex::SizeRequest& request) {
    prepare(request);
    exec();
    return answer();
}
