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
