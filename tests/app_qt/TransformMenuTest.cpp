// The Object menu's transform entries in the main window, down to the dialogs the hosted
// canvas keeps.

#include "FormFixture.h"
#include "app/qt/ShellCanvas.h"
#include "commands/qt/TRotateDlg.h"
#include "commands/qt/TShearDlg.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

ShellCanvas& shell(TForm1& form) {
    return *dynamic_cast<ShellCanvas*>(form.canvasWidget());
}

// Runs `answer` once the modal dialog the action opens is up.
void triggerWithDialog(TForm1& form, const char* item, std::function<void()> answer) {
    QTimer::singleShot(0, &form, std::move(answer));
    form.updateMenus();
    ASSERT_TRUE(form.action(item)->isEnabled()) << item;
    form.action(item)->trigger();
}

} // namespace

TEST_F(FormTest, TransformEntriesFollowTheSelection) {
    start({document("two.plx", 2)});
    form->updateMenus();
    for (const char* item : {"Move1", "MoveToCenter1", "Expand1", "InputExpand1", "Rotate1",
                             "FlipX1", "Shear1", "Align1"})
        EXPECT_FALSE(form->action(item)->isEnabled()) << item;
    canvas().Document.Lines[0].SelectAll(true);
    canvas().Document.SelectionChanged();
    form->updateMenus();
    for (const char* item : {"Move1", "InputMove1", "DoubleSize1", "RotateL90", "Shear1"})
        EXPECT_TRUE(form->action(item)->isEnabled()) << item;
    EXPECT_FALSE(form->action("Align1")->isEnabled()); // needs two paths
    canvas().Document.SelectAll();
    form->updateMenus();
    EXPECT_TRUE(form->action("Align1")->isEnabled());

    const std::vector<TCvLine> before = canvas().Document.Lines;
    form->action("FlipX1")->trigger();
    EXPECT_NE(canvas().Document.Lines, before);
    EXPECT_TRUE(form->modified());
    form->action("Undo1")->trigger();
    EXPECT_EQ(canvas().Document.Lines, before);
}

TEST_F(FormTest, RotateDialogTurnsExactlyAndRemembersTheAngle) {
    start({document("one.plx", 1)});
    canvas().Document.SelectAll();
    TRotateDlg* dlg = shell(*form).rotateDlg();
    triggerWithDialog(*form, "InputRotate1", [dlg] {
        dlg->EditX->setText("90");
        dlg->MoveBtn->click();
    });
    // The square (0,0)-(1,1) turned clockwise about its centre stays on the same corners.
    const TCvLine& square = canvas().Document.Lines[0];
    EXPECT_EQ(square.points[0].anchor, (TCvCoord{0, 1}));
    EXPECT_EQ(square.points[1].anchor, (TCvCoord{0, 0}));
    triggerWithDialog(*form, "InputRotate1", [dlg] { dlg->CancelBtn->click(); });
    EXPECT_EQ(dlg->EditX->text(), "90");
}

TEST_F(FormTest, ShearRefusalIsShownAndTheDialogStays) {
    start({document("one.plx", 1)});
    canvas().Document.SelectAll();
    const std::vector<TCvLine> before = canvas().Document.Lines;
    TShearDlg* dlg = shell(*form).shearDlg();
    answers.push_back(MessageAnswer::Ok);
    bool stayed = false;
    triggerWithDialog(*form, "Shear1", [dlg, &stayed] {
        dlg->EditX->setText("90");
        dlg->MoveBtn->click();
        stayed = dlg->isVisible();
        dlg->CancelBtn->click();
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].second, "Set Shear Angle More than -90 and Less than 90 Degrees.");
    EXPECT_EQ(canvas().Document.Lines, before);
    EXPECT_FALSE(form->modified());
}
