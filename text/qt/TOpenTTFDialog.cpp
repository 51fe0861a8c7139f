#include "text/qt/TOpenTTFDialog.h"

#include "model/ReadError.h"
#include "text/FontInfo.h"
#include "text/InstalledFonts.h"
#include "text/qt/FileFace.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

TOpenTTFDialog::TOpenTTFDialog(QWidget* parent) : QFileDialog(parent) {
    // The preview is a widget of our own inside the dialog, so not the desktop's dialog.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ReadOnly, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters({QStringLiteral("true type font file(*.ttf)"),
                    QStringLiteral("OpenType font file(*.otf *.ttc)")});
    setDefaultSuffix(QStringLiteral("ttf"));
    Preview = new QLabel(this);
    Preview->setMinimumHeight(70);
    Preview->setTextFormat(Qt::PlainText);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(Preview, grid->rowCount(), 0, 1, grid->columnCount());
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& p) { preview(p); });
}

TOpenTTFDialog::~TOpenTTFDialog() {
    dropTemporary();
}

void TOpenTTFDialog::dropTemporary() {
    if (temporary_ >= 0) QFontDatabase::removeApplicationFont(temporary_);
    temporary_ = -1;
}

void TOpenTTFDialog::preview(const QString& path) {
    const std::string file = path.toStdString();
    if (!isFontFileName(file)) return;
    TFontInfo info;
    try {
        info = ReadFontInfo(file);
    } catch (const plumex::ReadError&) {
        return;
    }
    // The new face is registered before the previous one goes, so a refused file leaves the
    // preview as it was.
    const FileFace face = RegisterFileFace(path);
    if (face.id < 0) return;
    dropTemporary();
    temporary_ = face.id;
    Preview->setFont(face.font(20));
    Preview->setText(QString::fromStdString(info.FullName()) +
                     QStringLiteral("\r\nSAMPLE sample 0123456789"));
    name_ = info.FullName();
}

bool TOpenTTFDialog::Execute() {
    const bool ok = exec() == QDialog::Accepted && !selectedFiles().isEmpty();
    dropTemporary();
    if (!ok) return false;
    file_ = selectedFiles().front().toStdString();
    // The name comes from the file itself, whatever the preview last showed.
    try {
        name_ = ReadFontInfo(file_).FullName();
    } catch (const plumex::ReadError&) {
        name_.clear();
    }
    return true;
}
