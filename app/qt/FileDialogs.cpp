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
                       const std::string& remembered,
                       const std::vector<FileDialogOption*>& options) {
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
    std::vector<QCheckBox*> boxes;
    // Only Qt's own dialog can carry extra controls.
    if (!options.empty()) dialog.setOption(QFileDialog::DontUseNativeDialog);
    for (FileDialogOption* option : options) {
        auto* box = new QCheckBox(QString::fromStdString(option->text), &dialog);
        box->setChecked(option->value);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, -1);
        boxes.push_back(box);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    for (std::size_t i = 0; i < options.size(); ++i) options[i]->value = boxes[i]->isChecked();
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

ScopedFileDialogResponder::ScopedFileDialogResponder(FileDialogResponder r)
    : previous_(std::exchange(responder(), std::move(r))) {}

ScopedFileDialogResponder::~ScopedFileDialogResponder() {
    responder() = std::move(previous_);
}

std::string runFileDialog(QWidget* parent, FileDialogRequest request, std::string& remembered,
                          const std::vector<FileDialogOption*>& options) {
    std::string chosen =
        responder() ? responder()(request) : showDialog(parent, request, remembered, options);
    if (!chosen.empty())
        remembered = QFileInfo(QString::fromStdString(chosen)).absolutePath().toStdString();
    return chosen;
}

} // namespace plumex
