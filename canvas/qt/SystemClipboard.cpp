#include "canvas/qt/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace plumex {

std::unique_ptr<QMimeData> mimeDataOf(const ClipboardContent& content) {
    auto data = std::make_unique<QMimeData>();
    const QByteArray block(reinterpret_cast<const char*>(content.block.data()),
                           static_cast<qsizetype>(content.block.size()));
    data->setData(PathsFormat, block);
    data->setData(PathsMimeType, block);
    if (!content.svg.empty()) data->setData(SvgMimeType, QByteArray::fromStdString(content.svg));
    data->setText(QString::fromStdString(content.text));
    return data;
}

ClipboardOffer offerOf(const QMimeData& data) {
    ClipboardOffer offer;
    for (const char* format : {PathsFormat, PathsMimeType})
        if (data.hasFormat(format)) {
            const QByteArray bytes = data.data(format);
            offer.block.emplace(bytes.begin(), bytes.end());
            break;
        }
    if (data.hasFormat(SvgMimeType)) offer.svg = data.data(SvgMimeType).toStdString();
    if (data.hasText()) offer.text = data.text().toStdString();
    return offer;
}

void putOnSystemClipboard(const ClipboardContent& content) {
    QGuiApplication::clipboard()->setMimeData(mimeDataOf(content).release()); // it owns it now
}

ClipboardOffer systemClipboardOffer() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return {};
    return offerOf(*data);
}

} // namespace plumex
