// Edit > Paste through the main window: what the system clipboard holds when the item or its
// key is used.

#include "FormFixture.h"

#include "canvas/qt/CanvasWidget.h"
#include "canvas/qt/SystemClipboard.h"
#include "model/ClipboardBlock.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTest>

namespace plumex::testing {
namespace {

void putBlock(const std::vector<std::uint8_t>& block) {
    auto data = std::make_unique<QMimeData>();
    data->setData(PathsMimeType, QByteArray(reinterpret_cast<const char*>(block.data()),
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
