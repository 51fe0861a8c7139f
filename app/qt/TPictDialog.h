#pragma once
// The Load Draft dialog: an open-file dialog with a preview part beside the file list (a
// thumbnail, the picture's size, the width and height it will have in drawing units).

#include "app/PictPreview.h"

#include <QFileDialog>
#include <QImage>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace plumex {

class TPictDialog : public QFileDialog {
    Q_OBJECT
public:
    TPictDialog(QWidget* parent, const QString& title);

    // After confirming: the chosen file and the width in drawing units.
    std::string FileName() const;
    double Width() const { return fields_.width; }
    // Rebuilds the preview for a file, as a change of selection in the list does.
    void ShowPreviewOf(const QString& path);

    QCheckBox* CBPreview = nullptr;
    QLabel* Label1 = nullptr; // the picture's size
    QWidget* PB1 = nullptr;   // the 160 x 160 thumbnail box
    QLineEdit* EditX = nullptr;
    QLineEdit* EditY = nullptr;

private:
    QWidget* makePreviewPart();
    void setFields(const SizeFields& f);
    void editXChanged(const QString& text);
    void editYChanged(const QString& text);
    void paintThumbnail();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString path_;
    QImage thumbnail_;
    ThumbnailSize thumbSize_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    SizeFields fields_{"1", "1", 1.0};
    bool guard_ = false; // set while one field's handler writes the other
};

} // namespace plumex
