// View > "POV-Ray Preview" in the main window: the panel shows the selection while drawing.

#include "FormFixture.h"

#include "app/qt/PovPreviewPanel.h"
#include "app/qt/TPOVDlg.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
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
