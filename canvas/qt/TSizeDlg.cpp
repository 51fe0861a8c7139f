#include "canvas/qt/TSizeDlg.h"

#include "app/Languages.h"
#include "canvas/SizeInput.h"
#include "canvas/qt/TwoFieldForm.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    const plumex::TwoFieldForm f = plumex::buildTwoFieldForm(this);
    Label1 = f.label1;
    Label2 = f.label2;
    EWidth = f.field1;
    EHeight = f.field2;
    OkBtn = f.ok;
    CancelBtn = f.cancel;
    auto* filter = new SizeKeyFilter(this);
    EWidth->installEventFilter(filter);
    EHeight->installEventFilter(filter);
}

void TSizeDlg::prepare(const plumex::SizeRequest& request) {
    mode_ = request.mode;
    setWindowTitle(text(request.caption != 0 ? request.caption : 175));
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
    if (request.typed) *request.typed = plumex::sizeFieldValue(EWidth->text().toStdString());
    return answer();
}
