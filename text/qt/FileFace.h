#pragma once
// A font file's face as Qt shows it. The file is registered as an application font and named
// by its family and its own style, so a bold or light file is not shown as its family's
// regular face.

#include <QFont>
#include <QString>

struct FileFace {
    int id = -1; // the application font; below 0 when Qt refused the file
    QString family;
    QString style; // the file's style name, e.g. "Bold"
    bool bold = false;
    bool italic = false;

    // The face at `pointSize`; a bold or italic the face lacks is asked of Qt on top.
    QFont font(int pointSize, bool addBold = false, bool addItalic = false) const;
};

// Registers `path` with Qt; id < 0 when Qt or FreeType cannot read it.
FileFace RegisterFileFace(const QString& path);
