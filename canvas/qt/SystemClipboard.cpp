#include "canvas/qt/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace plumex {

void putOnSystemClipboard(const ClipboardContent& content) {
    auto data = std::make_unique<QMimeData>();
    data->setData(PathsMimeType, QByteArray(reinterpret_cast<const char*>(content.block.data()),
                                            static_cast<qsizetype>(content.block.size())));
    data->setText(QString::fromStdString(content.text));
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard owns it now
}

ClipboardOffer systemClipboardOffer() {
    ClipboardOffer offer;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return offer;
    if (data->hasFormat(PathsMimeType)) {
        const QByteArray bytes = data->data(PathsMimeType);
        offer.block.emplace(bytes.begin(), bytes.end());
    }
    if (data->hasText()) offer.text = data->text().toStdString();
    return offer;
}

} // namespace plumex
