// Edit > Paste through the main window: what the system clipboard holds when the item or its
// key is used.

#include "FormFixture.h"

#include "canvas/qt/CanvasWidget.h"
#include "canvas/qt/SystemClipboard.h"
#include "model/ByteWriter.h"
#include "model/ClipboardBlock.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTest>

namespace plumex::testing {
namespace {

void putBlock(const std::vector<std::uint8_t>& block, const char* format = PathsMimeType) {
    auto data = std::make_unique<QMimeData>();
    data->setData(format, QByteArray(reinterpret_cast<const char*>(block.data()),
                                     static_cast<qsizetype>(block.size())));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

TEST_F(FormTest, DamagedPathsOnTheClipboardAreReportedByPaste) {
    TForm1& f = start({document("one.plx")});
    std::vector<std::uint8_t> block = WriteClipboardBlock({polyline({{0, 0}, {1, 1}})});
    block[0] ^= 1; // the size no longer agrees with the bytes
    putBlock(block);
    f.updateMenus();
    ASSERT_TRUE(f.action("Paste1")->isEnabled());
    const std::vector<TCvLine> before = canvas().Document.Lines;
    answers.push_back(MessageAnswer::Ok);
    f.action("Paste1")->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::Error);
    EXPECT_EQ(asked[0].second, "Invalid Data");
    EXPECT_TRUE(canvas().PasteBuffer().empty());
    EXPECT_EQ(canvas().Document.Lines, before);
    EXPECT_FALSE(f.modified());
}

// Another program's block under the registered name, rounded up past its total as a
// clipboard may hand it back: the padding is ignored. A total of 4 holds nothing to paste.
TEST_F(FormTest, PaddedBlockPastesAndAnEmptyOneLeavesPasteOff) {
    TForm1& f = start({document("one.plx")});
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.canvasWidget()->setFocus();
    std::vector<std::uint8_t> block = WriteClipboardBlock({polyline({{5, 5}, {6, 6}, {7, 5}})});
    block.resize(block.size() + 16, 0xCD);
    putBlock(block, "Ostrel.PlumexData");
    QTest::keyClick(f.canvasWidget(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(f.canvasWidget(), Qt::Key_Shift);
    const TCvDocument& doc = canvas().Document;
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].count(), 3);
    EXPECT_EQ(doc.Lines[0].FirstAnchor(), (TCvCoord{5, 5}));
    EXPECT_TRUE(asked.empty());

    std::vector<std::uint8_t> empty = WriteClipboardBlock({polyline({{0, 0}, {1, 1}})});
    storeInt32(empty.data(), 4);
    putBlock(empty, "Ostrel.PlumexData");
    f.updateMenus();
    EXPECT_FALSE(f.action("Paste1")->isEnabled());
    EXPECT_FALSE(f.action("PasteNoMove1")->isEnabled());
    QTest::keyClick(f.canvasWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(doc.Lines.size(), 2u);
    EXPECT_TRUE(asked.empty());
}

// The key reads the clipboard itself, even when no change was signalled since the last read.
TEST_F(FormTest, PasteKeyTakesWhatTheClipboardHoldsNow) {
    TForm1& f = start({document("one.plx")});
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.canvasWidget()->setFocus();
    QGuiApplication::clipboard()->clear();
    {
        const QSignalBlocker quiet(QGuiApplication::clipboard());
        putBlock(WriteClipboardBlock({polyline({{5, 5}, {6, 6}, {7, 5}})}));
    }
    QTest::keyClick(f.canvasWidget(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    // QTest releases Shift with Shift still down; later tests must not inherit it.
    QTest::keyRelease(f.canvasWidget(), Qt::Key_Shift);
    const TCvDocument& doc = canvas().Document;
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].count(), 3);
    EXPECT_EQ(doc.Lines[0].FirstAnchor(), (TCvCoord{5, 5}));
    EXPECT_TRUE(f.modified());
}

} // namespace
} // namespace plumex::testing
