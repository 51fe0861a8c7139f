#include "text/qt/FileFace.h"

#include "model/ReadError.h"
#include "text/FontFace.h"

#include <QFontDatabase>
#include <QStringList>

QFont FileFace::font(int pointSize, bool addBold, bool addItalic) const {
    QFont f(family);
    f.setPointSize(pointSize);
    if ((addBold && !bold) || (addItalic && !italic)) {
        // A style name overrides weight and slant in matching; without it Qt synthesises.
        f.setBold(bold || addBold);
        f.setItalic(italic || addItalic);
    } else {
        // The style name picks the file's face; weight and slant only describe it.
        f.setStyleName(style);
        f.setBold(bold);
        f.setItalic(italic);
    }
    return f;
}

FileFace RegisterFileFace(const QString& path) {
    FileFace face;
    try {
        const plumex::FontFace ft(path.toStdString());
        face.style = QString::fromStdString(ft.styleName());
        face.bold = ft.isBold();
        face.italic = ft.isItalic();
    } catch (const plumex::ReadError&) {
        return face;
    }
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families =
        id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList{};
    if (families.isEmpty()) {
        if (id >= 0) QFontDatabase::removeApplicationFont(id);
        return face;
    }
    face.id = id;
    face.family = families.front();
    return face;
}
