#include "app/qt/FileDialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

#include <filesystem>

namespace plumex {
namespace {

FileDialogResponder& responder() {
    static FileDialogResponder current;
    return current;
}

std::string showDialog(QWidget* parent, const FileDialogRequest& request,
                       const std::string& remembered, FileDialogOption* option) {
    QFileDialog dialog(parent, QString::fromStdString(request.title));
    dialog.setNameFilter(QString::fromStdString(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    std::error_code ec;
    const std::string& start = request.initialName.empty() ? remembered : request.initialName;
    if (!start.empty() && std::filesystem::is_directory(start, ec))
        dialog.setDirectory(QString::fromStdString(start));
    else if (!start.empty())
        dialog.selectFile(QString::fromStdString(start));
    QCheckBox* box = nullptr;
    if (option) {
        // Only Qt's own dialog can carry an extra control.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        box = new QCheckBox(QString::fromStdString(option->text), &dialog);
        box->setChecked(option->value);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, -1);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (box) option->value = box->isChecked();
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

ScopedFileDialogResponder::ScopedFileDialogResponder(FileDialogResponder r)
    : previous_(std::exchange(responder(), std::move(r))) {}

ScopedFileDialogResponder::~ScopedFileDialogResponder() {
    responder() = std::move(previous_);
}

std::string runFileDialog(QWidget* parent, FileDialogRequest request, std::string& remembered,
                          FileDialogOption* option) {
    std::string chosen =
        responder() ? responder()(request) : showDialog(parent, request, remembered, option);
    if (!chosen.empty())
        remembered = QFileInfo(QString::fromStdString(chosen)).absolutePath().toStdString();
    return chosen;
}

} // namespace plumex
