#include "app/qt/MessageBoxes.h"

#include "app/Languages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace plumex {
namespace {

MessageResponder& responder() {
    static MessageResponder current;
    return current;
}

QString text(int key) {
    return QString::fromStdString(caption(key));
}

MessageAnswer showBox(QWidget* parent, const std::string& message, MessageKind kind) {
    QMessageBox box(parent);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(QString::fromStdString(message));
    if (kind == MessageKind::Error) {
        box.setIcon(QMessageBox::Warning);
        box.addButton(text(C_Ok), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = box.addButton(text(C_Yes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(text(C_No), QMessageBox::NoRole);
    QPushButton* cancel = nullptr;
    if (kind == MessageKind::YesNoCancel)
        cancel = box.addButton(text(C_Cancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return MessageAnswer::Yes;
    if (box.clickedButton() == no) return MessageAnswer::No;
    return kind == MessageKind::YesNoCancel ? MessageAnswer::Cancel : MessageAnswer::No;
}

} // namespace

ScopedMessageResponder::ScopedMessageResponder(MessageResponder r)
    : previous_(std::exchange(responder(), std::move(r))) {}

ScopedMessageResponder::~ScopedMessageResponder() {
    responder() = std::move(previous_);
}

MessageAnswer messageBox(QWidget* parent, const std::string& message, MessageKind kind) {
    if (kind == MessageKind::Error) QApplication::beep();
    if (responder()) return responder()(kind, message);
    return showBox(parent, message, kind);
}

bool confirmYesNo(QWidget* parent, const std::string& message) {
    return messageBox(parent, message, MessageKind::YesNo) == MessageAnswer::Yes;
}

MessageAnswer confirmYesNoCancel(QWidget* parent, const std::string& message) {
    return messageBox(parent, message, MessageKind::YesNoCancel);
}

void showError(QWidget* parent, const std::string& message) {
    messageBox(parent, message, MessageKind::Error);
}

} // namespace plumex
