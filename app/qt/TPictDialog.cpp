#include "app/qt/TPictDialog.h"

#include "app/NumberText.h"
#include "app/qt/DigitKeyFilter.h"
#include "raster/PictureError.h"
#include "raster/PictureLoader.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace plumex {
namespace {

// The switch outlives each dialog; a new dialog's box shows it, so a checked box always
// means the preview is on.
bool previewSwitch = true;

// Qt separates a filter's patterns by blanks inside the parentheses.
const QStringList Filters = {
    "All Image File (*.bmp *.jpeg *.jpg *.jpe *.png)",
    "Bitmap (*.bmp)",
    "JPEG Image File (*.jpeg *.jpg *.jpe)",
    "Portable Network Graphics(*.png)",
};

QImage toQImage(const RasterImage& image) {
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            const Color c = image.at(x, y);
            row[x] = qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return out;
}

} // namespace

TPictDialog::TPictDialog(QWidget* parent, const QString& title) : QFileDialog(parent, title) {
    // The preview part lives inside the dialog, which needs Qt's own dialog.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ReadOnly);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(Filters);
    selectNameFilter(Filters.front());
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(makePreviewPart(), 0, grid->columnCount(), grid->rowCount(), 1,
                        Qt::AlignTop);
    connect(this, &QFileDialog::currentChanged, this, &TPictDialog::ShowPreviewOf);
    // A name typed into the file field selects that file too.
    if (auto* edit = findChild<QLineEdit*>("fileNameEdit"))
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            const QString path = QDir(directory()).absoluteFilePath(text);
            if (path != path_ && QFileInfo(path).isFile()) ShowPreviewOf(path);
        });
}

QWidget* TPictDialog::makePreviewPart() {
    auto* panel = new QWidget(this);
    panel->setObjectName("PVPanel");
    panel->setFixedSize(183, 217);
    CBPreview = new QCheckBox("Preview", panel);
    CBPreview->move(8, 8);
    CBPreview->setChecked(previewSwitch);
    Label1 = new QLabel(panel);
    Label1->setGeometry(60, 8, 115, 17);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* frame = new QFrame(panel);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(8, 30, 162, 162);
    PB1 = new QWidget(frame);
    PB1->setGeometry(1, 1, 160, 160);
    PB1->installEventFilter(this);
    auto* label3 = new QLabel("Size:", panel);
    label3->setGeometry(8, 196, 30, 20);
    EditX = new QLineEdit("1", panel);
    EditX->setGeometry(40, 196, 60, 20);
    auto* label2 = new QLabel("x", panel);
    label2->setGeometry(104, 196, 10, 20);
    EditY = new QLineEdit("1", panel);
    EditY->setGeometry(114, 196, 60, 20);
    for (QLineEdit* edit : {EditX, EditY}) edit->installEventFilter(new DigitKeyFilter(edit));
    connect(EditX, &QLineEdit::textChanged, this, &TPictDialog::editXChanged);
    connect(EditY, &QLineEdit::textChanged, this, &TPictDialog::editYChanged);
    connect(CBPreview, &QCheckBox::toggled, this, [this](bool on) {
        previewSwitch = on;
        ShowPreviewOf(path_);
    });
    return panel;
}

std::string TPictDialog::FileName() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
}

void TPictDialog::ShowPreviewOf(const QString& path) {
    path_ = path;
    Label1->clear();
    pictureWidth_ = pictureHeight_ = 0;
    // Without a preview the width is what the field shows.
    fields_.width = parseDecimal(EditX->text().toStdString()).value_or(1.0);
    if (previewSwitch) {
        if (QFileInfo(path).isFile()) {
            try {
                const RasterImage picture = loadPicture(path.toStdString());
                pictureWidth_ = picture.width;
                pictureHeight_ = picture.height;
                Label1->setText(
                    QString::fromStdString(pictureSizeText(pictureWidth_, pictureHeight_)));
                thumbSize_ = thumbnailSize(pictureWidth_, pictureHeight_);
                setFields(sizeFieldsFor(pictureWidth_, pictureHeight_));
                thumbnail_ =
                    toQImage(picture).scaled(thumbSize_.width, thumbSize_.height,
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            } catch (const PictureError&) {
                // The dialog stays usable; the preview keeps what it showed.
            }
        } else {
            thumbnail_ = QImage();
        }
    }
    PB1->update();
}

void TPictDialog::setFields(const SizeFields& f) {
    guard_ = true;
    EditX->setText(QString::fromStdString(f.x));
    EditY->setText(QString::fromStdString(f.y));
    guard_ = false;
    fields_ = f;
}

void TPictDialog::editXChanged(const QString& text) {
    if (guard_) return;
    if (const auto f = widthTyped(text.toStdString(), fields_, pictureWidth_, pictureHeight_)) {
        guard_ = true;
        EditY->setText(QString::fromStdString(f->y));
        guard_ = false;
        fields_ = *f;
    }
}

void TPictDialog::editYChanged(const QString& text) {
    if (guard_) return;
    if (const auto f = heightTyped(text.toStdString(), fields_, pictureWidth_, pictureHeight_)) {
        guard_ = true;
        EditX->setText(QString::fromStdString(f->x));
        guard_ = false;
        fields_ = *f;
    }
}

bool TPictDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PB1 && event->type() == QEvent::Paint) {
        paintThumbnail();
        return true;
    }
    return QFileDialog::eventFilter(watched, event);
}

void TPictDialog::paintThumbnail() {
    QPainter p(PB1);
    p.fillRect(PB1->rect(), PB1->palette().window());
    if (!thumbnail_.isNull() && previewSwitch)
        p.drawImage(thumbnailLeft(thumbSize_), thumbnailTop(thumbSize_), thumbnail_);
}

} // namespace plumex
