#include "commands/qt/TAlignDlg.h"
#include "commands/qt/TExpandDlg.h"
#include "commands/qt/TMoveDlg.h"
#include "commands/qt/TRotateDlg.h"
#include "commands/qt/TShearDlg.h"
#include "print_model.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

using namespace plumex;

namespace {

// Error boxes go to a list instead of the screen.
template <typename Dlg> struct Scripted {
    Dlg dlg;
    std::vector<std::string> errors;
    Scripted() {
        dlg.showError = [this](const std::string& e) { errors.push_back(e); };
    }
};

void typeInto(QLineEdit* edit, const char* text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

const MoveRequest objects{false, {0, 2, 4, 0}, MoveLayout::Full, true};

} // namespace

TEST(TMoveDlg, TypingEnablesApplyAndTheOffsetIsKept) {
    Scripted<TMoveDlg> s;
    TMoveDlg& d = s.dlg;
    d.prepare(objects);
    EXPECT_FALSE(d.MoveBtn->isEnabled());
    EXPECT_FALSE(d.CopyBtn->isEnabled());
    EXPECT_EQ(d.width(), 367);
    typeInto(d.EditX, "2");
    typeInto(d.EditY, "3");
    EXPECT_TRUE(d.MoveBtn->isEnabled());
    EXPECT_TRUE(d.CopyBtn->isEnabled());
    d.show();
    d.MoveBtn->click();
    ASSERT_TRUE(d.answer());
    EXPECT_EQ(d.answer()->offset, (TCvCoord{2, 3}));
    EXPECT_FALSE(d.answer()->copy);

    // Reopened in Absolute mode last time, it starts Relative and shows the offset again.
    d.SBMode1->click();
    d.prepare(objects);
    EXPECT_FALSE(d.SBMode1->isChecked());
    EXPECT_EQ(d.EditX->text(), "2");
    EXPECT_EQ(d.EditY->text(), "3");
    d.show();
    d.CopyBtn->click();
    EXPECT_TRUE(d.answer()->copy);
    d.show();
    d.CancelBtn->click();
    EXPECT_FALSE(d.answer());
    EXPECT_TRUE(s.errors.empty());
}

TEST(TMoveDlg, AbsoluteModeAndThePicker) {
    TMoveDlg d;
    d.prepare(objects);
    EXPECT_FALSE(d.RBGStd->isEnabled());
    typeInto(d.EditX, "1");
    d.SBMode1->click();
    EXPECT_TRUE(d.RBGStd->isEnabled());
    EXPECT_EQ(d.EditX->text(), "3"); // centre x 2, moved by 1
    d.pickerItem(8)->click();        // right bottom (4, 0)
    EXPECT_EQ(d.EditX->text(), "5");
    EXPECT_EQ(d.EditY->text(), "0");
    typeInto(d.EditY, "-1");
    EXPECT_EQ(d.state().offset(), (TCvCoord{1, -1}));
}

TEST(TMoveDlg, LayoutsAndCopyForAnchors) {
    TMoveDlg d;
    d.prepare({true, TCvRect(TCvCoord{1, 1}), MoveLayout::Point, true});
    EXPECT_EQ(d.width(), 293);
    EXPECT_EQ(d.ModePanel->width(), 61);
    d.prepare({true, {0, 2, 4, 0}, MoveLayout::RelativeOnly, false});
    EXPECT_EQ(d.width(), 232);
    EXPECT_TRUE(d.ModePanel->isHidden());
    typeInto(d.EditX, "5");
    EXPECT_TRUE(d.MoveBtn->isEnabled());
    EXPECT_FALSE(d.CopyBtn->isEnabled());
}

TEST(TMoveDlg, TextThatIsNotANumberIsReportedAndChangesNothing) {
    Scripted<TMoveDlg> s;
    s.dlg.prepare(objects);
    typeInto(s.dlg.EditX, "4");
    typeInto(s.dlg.EditX, "-"); // on the way to a negative number: no complaint
    EXPECT_TRUE(s.errors.empty());
    typeInto(s.dlg.EditX, "x");
    ASSERT_EQ(s.errors.size(), 1u);
    EXPECT_NE(s.errors[0].find("'x'"), std::string::npos);
    EXPECT_EQ(s.dlg.state().offset().x, 4);
}

TEST(TExpandDlg, ResetButtonsFollowTheirValue) {
    TExpandDlg d;
    d.prepare({true, {0, 2, 4, 0}, {1, 1}});
    EXPECT_EQ(d.EditX->text(), "1");
    EXPECT_EQ(d.SBXDef->text(), "1");
    d.SBXDef->click(); // already 1: nothing happens, Apply stays disabled
    EXPECT_FALSE(d.MoveBtn->isEnabled());
    typeInto(d.EditY, "abc");
    d.SBYDef->click();
    EXPECT_EQ(d.EditY->text(), "1");
    typeInto(d.EditX, "2");
    d.show();
    d.MoveBtn->click();
    ASSERT_TRUE(d.answer());
    EXPECT_EQ(d.answer()->fx, 2);
    EXPECT_EQ(d.answer()->fy, 1);
    EXPECT_EQ(d.answer()->origin, (TCvCoord{1, 1})); // the pivot ("Marker")
}

TEST(TExpandDlg, EitherFactorNotANumberMakesBothZero) {
    TExpandDlg d;
    d.prepare({true, {0, 2, 4, 0}, {1, 1}});
    typeInto(d.EditX, "3");
    typeInto(d.EditY, "y");
    d.show();
    d.CopyBtn->click();
    EXPECT_EQ(d.answer()->fx, 0);
    EXPECT_EQ(d.answer()->fy, 0);
    EXPECT_TRUE(d.answer()->copy);
}

TEST(TExpandDlg, OtherToolsShowOnlyThePicker) {
    TExpandDlg d;
    const OriginRequest anchors{false, {0, 2, 4, 0}, {1, 1}};
    d.prepare(anchors);
    EXPECT_TRUE(d.ModePanel->isHidden());
    EXPECT_EQ(d.RBGStd->parentWidget(), d.EditPanel);
    EXPECT_EQ(d.RBGStd->x(), 230);
    EXPECT_EQ(d.width(), 367 - 55);
    EXPECT_TRUE(d.RBGStd->isEnabled());
    d.pickerItem(0)->click();
    typeInto(d.EditX, "2");
    d.show();
    d.MoveBtn->click();
    EXPECT_EQ(d.answer()->origin, (TCvCoord{0, 2}));

    d.prepare({true, anchors.bounds, anchors.pivot});
    EXPECT_FALSE(d.ModePanel->isHidden());
    EXPECT_EQ(d.RBGStd->parentWidget(), d.ModePanel);
    EXPECT_EQ(d.RBGStd->x(), 65);
    EXPECT_EQ(d.width(), 367);
    EXPECT_TRUE(d.SBMode0->isChecked());
    EXPECT_FALSE(d.RBGStd->isEnabled());
}

TEST(TRotateDlg, OneAngleAboutAPickedPoint) {
    TRotateDlg d;
    d.prepare({true, {0, 2, 4, 0}, {1, 1}});
    EXPECT_TRUE(d.EditY->isHidden());
    EXPECT_TRUE(d.SBYDef->isHidden());
    d.SBMode1->click();
    d.pickerItem(2)->click(); // left bottom
    typeInto(d.EditX, "90");
    d.show();
    d.MoveBtn->click();
    EXPECT_EQ(d.answer()->degrees, 90);
    EXPECT_EQ(d.answer()->origin, (TCvCoord{0, 0}));
    // The choice is kept for the next use.
    d.prepare({true, {10, 10, 12, 8}, {0, 0}});
    EXPECT_TRUE(d.SBMode1->isChecked());
    EXPECT_TRUE(d.pickerItem(2)->isChecked());
}

TEST(TShearDlg, RefusesNinetyDegreesAndStaysOpen) {
    Scripted<TShearDlg> s;
    TShearDlg& d = s.dlg;
    d.prepare({{true, {0, 2, 4, 0}, {1, 1}}, ShearPreset::Keep});
    for (const char* refused : {"90", "-90.5"}) {
        typeInto(d.EditX, refused);
        d.show();
        d.MoveBtn->click();
        EXPECT_TRUE(d.isVisible()) << refused;
    }
    ASSERT_EQ(s.errors.size(), 2u);
    EXPECT_EQ(s.errors[0], "Set Shear Angle More than -90 and Less than 90 Degrees.");
    typeInto(d.EditX, "89.9");
    d.MoveBtn->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.answer()->degrees, 89.9);
    EXPECT_FALSE(d.answer()->vertical);
}

TEST(TShearDlg, DirectionPresetOrKept) {
    TShearDlg d;
    EXPECT_TRUE(d.RBHorz->isChecked());
    d.prepare({{true, {}, {}}, ShearPreset::Vertical});
    EXPECT_TRUE(d.RBVert->isChecked());
    d.prepare({{true, {}, {}}, ShearPreset::Keep});
    EXPECT_TRUE(d.RBVert->isChecked());
    d.prepare({{true, {}, {}}, ShearPreset::Horizontal});
    EXPECT_TRUE(d.RBHorz->isChecked());
}

TEST(TAlignDlg, KeepsTheLastChoices) {
    TAlignDlg d;
    d.prepare({true});
    EXPECT_EQ(d.windowTitle(), "Align Anchors");
    EXPECT_EQ(d.horizontalItem(), 0);
    d.setItems(2, 4);
    d.show();
    d.OkBtn->click();
    ASSERT_TRUE(d.answer());
    EXPECT_EQ(d.answer()->horizontal, Align::Centre);
    EXPECT_EQ(d.answer()->vertical, Align::Regular);
    d.prepare({false});
    EXPECT_EQ(d.windowTitle(), "Align Objects");
    EXPECT_EQ(d.horizontalItem(), 2);
    d.show();
    d.CancelBtn->click();
    EXPECT_FALSE(d.answer());
}
