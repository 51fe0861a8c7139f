// The clipboard's Qt side moves each form under its MIME type and reads back what it finds.
#include "canvas/qt/SystemClipboard.h"
#include "commands/PathClipboard.h"

#include "QtTestApp.h"
#include "testing.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace plumex;
using plumex::testing::polyline;

namespace {

ClipboardContent copied() {
    TCvLine curve = polyline({{0, 0}, {1, 0.5}, {2, -1}}, true);
    curve.points[1].outHandle = {1.5, 1.25};
    return ClipboardContentOf({curve, polyline({{-3, 2}, {4, 2}})});
}

void expectOffered(const ClipboardOffer& offer, const ClipboardContent& c) {
    ASSERT_TRUE(offer.block);
    EXPECT_EQ(*offer.block, c.block);
    ASSERT_TRUE(offer.svg);
    EXPECT_EQ(*offer.svg, c.svg);
    ASSERT_TRUE(offer.text);
    EXPECT_EQ(*offer.text, c.text);
}

} // namespace

TEST(SystemClipboard, EveryFormTravelsUnderItsMimeType) {
    const ClipboardContent c = copied();
    ASSERT_FALSE(c.svg.empty());
    const std::unique_ptr<QMimeData> data = mimeDataOf(c);
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->hasFormat("application/x-plumex-paths"));
    EXPECT_TRUE(data->hasFormat("Ostrel.PlumexData"));
    EXPECT_TRUE(data->hasText());
    expectOffered(offerOf(*data), c);
    EXPECT_EQ(PasteBufferFrom(offerOf(*data)), PasteBufferFrom(c.block, std::nullopt));

    // What a drawing program puts there: the SVG document alone.
    QMimeData foreign;
    foreign.setData("image/svg+xml", QByteArray::fromStdString(c.svg));
    const ClipboardOffer offer = offerOf(foreign);
    EXPECT_FALSE(offer.block);
    EXPECT_FALSE(offer.text);
    ASSERT_TRUE(offer.svg);
    EXPECT_EQ(PasteBufferFrom(offer).size(), 2u);

    // Another program exchanging paths offers the block under the registered name alone,
    // maybe rounded up; either name is read, the registered one first.
    for (const char* format : {"Ostrel.PlumexData", "application/x-plumex-paths"}) {
        QMimeData other;
        QByteArray padded(reinterpret_cast<const char*>(c.block.data()),
                          static_cast<qsizetype>(c.block.size()));
        padded.append(12, '\0');
        other.setData(format, padded);
        EXPECT_EQ(PasteBufferFrom(offerOf(other)), PasteBufferFrom(c.block, std::nullopt))
            << format;
    }
    QMimeData both;
    both.setData("Ostrel.PlumexData", QByteArray("\x04\0\0\0", 4));
    both.setData("application/x-plumex-paths", QByteArray("\x05\0\0\0", 4));
    ASSERT_TRUE(offerOf(both).block);
    EXPECT_EQ(offerOf(both).block->front(), 4);

    // Paths without an SVG form leave the type out rather than offer an empty document.
    ClipboardContent noSvg = c;
    noSvg.svg.clear();
    EXPECT_FALSE(mimeDataOf(noSvg)->hasFormat("image/svg+xml"));
}

TEST(SystemClipboard, TheApplicationClipboardGivesBackWhatWasPut) {
    plumex::testing::ensureQtApp();
    const ClipboardContent c = copied();
    putOnSystemClipboard(c);
    expectOffered(systemClipboardOffer(), c);
    QGuiApplication::clipboard()->clear();
}
