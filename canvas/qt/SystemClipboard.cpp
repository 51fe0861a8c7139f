#include "canvas/qt/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace plumex {

std::unique_ptr<QMimeData> mimeDataOf(const ClipboardContent& content) {
    auto data = std::make_unique<QMimeData>();
    data->setData(PathsMimeType, QByteArray(reinterpret_cast<const char*>(content.block.data()),
                                            static_cast<qsizetype>(content.block.size())));
    if (!content.svg.empty()) data->setData(SvgMimeType, QByteArray::fromStdString(content.svg));
    data->setText(QString::fromStdString(content.text));
    return data;
}

ClipboardOffer offerOf(const QMimeData& data) {
    ClipboardOffer offer;
    if (data.hasFormat(PathsMimeType)) {
        const QByteArray bytes = data.data(PathsMimeType);
        offer.block.emplace(bytes.begin(), bytes.end());
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
