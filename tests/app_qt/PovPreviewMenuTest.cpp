// View > "POV-Ray Preview" in the main window: the panel shows the selection while drawing.

#include "FormFixture.h"

#include "app/qt/PovFindingsList.h"
#include "app/qt/PovPreviewPanel.h"
#include "app/qt/TPOVDlg.h"
#include "canvas/qt/CanvasWidget.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>

using plumex::PovPreviewPanel;
using plumex::testing::FormTest;

TEST_F(FormTest, ViewMenuShowsThePreviewOfTheSelection) {
    start({document("two.plx", 2)});
    form->resize(1200, 800);
    form->show();
    PovPreviewPanel* panel = form->povPreview();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    QAction* item = form->action("PovPreview1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "POV-Ray Preview");
    form->updateMenus();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(panel->isVisible());
    // Shown the first time it takes a third of the window, not its bare minimum.
    const int third = std::max(form->width() / 3, 240) - 8;
    for (int wait = 0; wait < 100 && panel->width() < third; ++wait) QTest::qWait(20);
    EXPECT_GE(panel->width(), third) << "of " << form->width();
    form->updateMenus();
    EXPECT_TRUE(item->isChecked());
    // Nothing selected yet; selecting is a change the panel follows.
    QTRY_VERIFY_WITH_TIMEOUT(panel->message().startsWith("Select paths"), 3000);
    form->action("SelectAll1")->trigger();
    ASSERT_TRUE(finished.wait(20000)) << panel->message().toStdString();
    EXPECT_TRUE(finished.front().at(0).toBool()) << panel->message().toStdString();
    EXPECT_FALSE(panel->picture().isNull());
    // The export dialog's options, once accepted, are what the preview shows.
    QTRY_VERIFY_WITH_TIMEOUT(!panel->rendering(), 20000);
    QSignalSpy started(panel, &PovPreviewPanel::renderStarted);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TPOVDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->Edit2->setText("3");
        dialog->accept();
    });
    ASSERT_TRUE(form->POVCopy1Click(0));
    ASSERT_TRUE(started.wait(5000));
    item->trigger();
    EXPECT_FALSE(panel->isVisible());
}

namespace {

// Waits until the panel's render of the present selection is over and its findings are shown.
bool settledPanel(PovPreviewPanel* panel, QSignalSpy& finished) {
    for (int wait = 0; wait < 3000; ++wait) {
        const bool full = std::any_of(finished.begin(), finished.end(),
                                      [](const auto& args) { return !args.at(1).toBool(); });
        if (full && !panel->rendering() && !panel->findingsList()->checking()) return true;
        QTest::qWait(20);
    }
    return false;
}

} // namespace

// Sixty open prisms give sixty warnings of POV-Ray's and sixty findings: the list under the
// picture scrolls and the window keeps its height. A click on a finding selects its path.
TEST_F(FormTest, ManyFindingsScrollInsteadOfGrowingTheWindow) {
    const std::string file = dir.file("many.plx");
    TCvDocument doc;
    for (int i = 0; i < 60; ++i)
        doc.Lines.push_back(
            plumex::testing::polyline({{5.0 * i, 0}, {5.0 * i + 4, 0}, {5.0 * i + 2, 4}}));
    ASSERT_TRUE(doc.SaveToFile(file));
    start({file});
    form->resize(900, 500);
    form->show();
    PovPreviewPanel* panel = form->povPreview();
    panel->setPause(0);
    form->action("PovPreview1")->trigger();
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    form->action("SelectAll1")->trigger();
    ASSERT_TRUE(settledPanel(panel, finished)) << panel->message().toStdString();
    plumex::PovFindingsList* list = panel->findingsList();
    EXPECT_EQ(list->findings().size(), 60u);
    EXPECT_GE(list->count(), 60);
    EXPECT_EQ(form->height(), 500);
    EXPECT_LE(list->height(), list->maximumHeight());
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());

    // Finding 3 is about the third selected path, here the drawing's third.
    const int row = 2;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    EXPECT_EQ(canvas().Document.CountSelected(), 1);
    EXPECT_TRUE(canvas().Document.Lines[2].selected);
}

// A rectangle stored by a window that grew past the screen opens within the screen.
TEST_F(FormTest, AStoredWindowRectangleIsKeptOnTheScreen) {
    start({}, "[Global]\r\nRestoreWindowSize=1\r\nWindowLeft=40\r\nWindowTop=-30\r\n"
              "WindowWidth=700\r\nWindowHeight=5000\r\n");
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(room.contains(form->geometry()))
        << form->geometry().height() << " in " << room.height();
    EXPECT_EQ(form->geometry().left(), 40);
    EXPECT_EQ(form->geometry().width(), 700);
}

// File > New leaves no picture of the previous drawing in the panel.
TEST_F(FormTest, NewClearsThePreview) {
    start({document("two.plx", 2)});
    form->resize(1000, 700);
    form->show();
    PovPreviewPanel* panel = form->povPreview();
    panel->setPause(0);
    form->action("PovPreview1")->trigger();
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    form->action("SelectAll1")->trigger();
    ASSERT_TRUE(settledPanel(panel, finished)) << panel->message().toStdString();
    ASSERT_FALSE(panel->picture().isNull());
    answers = {plumex::MessageAnswer::No}; // the selection counts as no change, but be ready
    form->action("New1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(panel->message().startsWith("Select paths"), 5000);
    EXPECT_TRUE(panel->picture().isNull());
    const auto* view = panel->findChild<QLabel*>("PovPreviewPicture");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->pixmap().isNull());
}

// Zooming and scrolling leave a settled preview alone; an Undo that writes only the path it
// changed still counts as an edit of the selection and renders again.
TEST_F(FormTest, PreviewIgnoresTheViewButFollowsUndo) {
    start({document("two.plx", 2)});
    form->resize(1000, 700);
    form->show();
    PovPreviewPanel* panel = form->povPreview();
    panel->setPause(0);
    form->action("PovPreview1")->trigger();
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    form->action("SelectAll1")->trigger();
    ASSERT_TRUE(settledPanel(panel, finished)) << panel->message().toStdString();
    ASSERT_TRUE(canvas().PresetExpand(0));
    finished.clear();
    ASSERT_TRUE(settledPanel(panel, finished));
    QSignalSpy started(panel, &PovPreviewPanel::renderStarted);
    QSignalSpy cancelled(panel, &PovPreviewPanel::renderCancelled);
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(form->canvasWidget(), step % 2 ? Qt::Key_Left : Qt::Key_Down);
        canvas().ZoomTo(canvas().Scale() * (step % 2 ? 0.5 : 2));
        QTest::qWait(30);
    }
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(cancelled.count(), 0);
    form->action("Undo1")->trigger();
    EXPECT_TRUE(started.wait(5000));
}
