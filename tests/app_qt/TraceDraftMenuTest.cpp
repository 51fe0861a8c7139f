#include "FormFixture.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "trace/qt/TTraceDlg.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

// A white picture with a black ring: one outline with its hole.
DraftPicture ringDraft() {
    DraftPicture d;
    d.image.width = 200;
    d.image.height = 100;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const double r = std::hypot(x + 0.5 - 100, y + 0.5 - 50);
            d.image.pixels.push_back(r < 40 && r > 20 ? rgbColor(0, 0, 0)
                                                      : rgbColor(255, 255, 255));
        }
    d.position = {-1, 0.5};
    d.factor = 0.01;
    return d;
}

void waitForPreview(const TTraceDlg& dlg) {
    for (int i = 0; i < 1000 && dlg.previewBusy(); ++i) QTest::qWait(10);
}

} // namespace

TEST_F(FormTest, TraceDraftPreviewsFollowsTheFieldsAndAddsOneUndoStep) {
    TForm1& form = start();
    form.updateMenus();
    EXPECT_FALSE(form.action("TraceDraft1")->isEnabled());
    canvas().SetDraft(ringDraft());
    form.updateMenus();
    ASSERT_TRUE(form.action("TraceDraft1")->isEnabled());

    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TTraceDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        ran = true;
        waitForPreview(*dlg);
        EXPECT_EQ(dlg->previewPaths().size(), 1u);
        // Typing a threshold of 0 leaves nothing dark, and the preview says so.
        dlg->threshold->setFocus();
        QTest::keyClick(dlg->threshold, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg->threshold, "0");
        waitForPreview(*dlg);
        EXPECT_TRUE(dlg->previewPaths().empty());
        EXPECT_EQ(dlg->summary->text().toStdString(), message(errTraceEmpty));
        QTest::keyClick(dlg->threshold, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg->threshold, "128");
        waitForPreview(*dlg);
        EXPECT_EQ(dlg->previewPaths().size(), 1u);
        auto* box = dlg->findChild<QDialogButtonBox*>();
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    form.action("TraceDraft1")->trigger();
    ASSERT_TRUE(ran);
    TCvDocument& doc = canvas().Document;
    ASSERT_EQ(doc.Lines.size(), 1u);
    const TCvLine& ring = doc.Lines[0];
    EXPECT_TRUE(ring.selected);
    // Over the ring as the draft shows it: centre (0, 0), outer radius 0.4.
    const TCvRect b = ring.GetBounds();
    EXPECT_NEAR(b.left, -0.4, 0.01);
    EXPECT_NEAR(b.right, 0.4, 0.01);
    EXPECT_NEAR(b.top, 0.4, 0.01);
    int pen = -1;
    EXPECT_TRUE(doc.Undo(pen));
    EXPECT_TRUE(doc.Lines.empty());
}
