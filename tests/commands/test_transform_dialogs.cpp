#include "commands/InputDialogState.h"
#include "commands/MoveDialogState.h"
#include "print_model.h"

#include <gtest/gtest.h>

using namespace plumex;

TEST(InputDialog, PickerItemsRunDownColumns) {
    const TCvRect r{-2, 4, 6, 0};
    EXPECT_EQ(pickedPoint(r, 0), (TCvCoord{-2, 4}));
    EXPECT_EQ(pickedPoint(r, 1), (TCvCoord{-2, 2}));
    EXPECT_EQ(pickedPoint(r, 2), (TCvCoord{-2, 0}));
    EXPECT_EQ(pickedPoint(r, 4), (TCvCoord{2, 2}));
    EXPECT_EQ(pickedPoint(r, 6), (TCvCoord{6, 4}));
    EXPECT_EQ(pickedPoint(r, 8), (TCvCoord{6, 0}));
}

TEST(InputDialog, NumberTextReadsOnlyFiniteDecimals) {
    EXPECT_EQ(parseValue("2"), 2.0);
    EXPECT_EQ(parseValue(" -1.5 "), -1.5);
    EXPECT_EQ(parseValue("+3"), 3.0);
    EXPECT_EQ(parseValue("1e3"), 1000.0);
    EXPECT_EQ(parseValue(".5"), 0.5);
    for (const char* bad : {"", "-", "abc", "1,5", "2x", "inf", "nan", "1e400", "0x10", "+-1"})
        EXPECT_FALSE(parseValue(bad)) << bad;
    EXPECT_EQ(valueOrZero("abc"), 0);
    EXPECT_EQ(valueOrZero("45"), 45);
    EXPECT_TRUE(isUnfinishedNumber("-"));
    EXPECT_TRUE(isUnfinishedNumber(""));
    EXPECT_FALSE(isUnfinishedNumber("a"));
}

TEST(InputDialog, FormatsWithFifteenDigits) {
    EXPECT_EQ(formatValue(2), "2");
    EXPECT_EQ(formatValue(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatValue(-0.0), "0");
    EXPECT_EQ(formatValue(1e-20), "1e-20");
    EXPECT_EQ(formatValue(-2.5), "-2.5");
}

TEST(InputDialog, ResetButtonRewritesOnlyAnotherValue) {
    EXPECT_FALSE(resetRewrites("0", 0));
    EXPECT_FALSE(resetRewrites(" 1.0", 1));
    EXPECT_TRUE(resetRewrites("2", 1));
    EXPECT_TRUE(resetRewrites("abc", 0));
}

TEST(InputDialog, OriginModesAndThePointTheyGive) {
    const OriginRequest object{true, {0, 4, 8, 0}, {1, 1}};
    const OriginRequest anchors{false, object.bounds, object.pivot};
    OriginChoice c;
    c.open(true);
    EXPECT_EQ(c.mode(), OriginPivot);
    EXPECT_FALSE(c.pickerEnabled());
    EXPECT_EQ(c.origin(object), (TCvCoord{1, 1}));

    c.setMode(OriginPicked);
    c.pick(8);
    EXPECT_EQ(c.origin(object), (TCvCoord{8, 0}));
    c.open(true); // the object tool keeps mode 1
    EXPECT_EQ(c.mode(), OriginPicked);

    c.open(false);
    EXPECT_EQ(c.mode(), OriginPickerOnly);
    EXPECT_EQ(c.origin(anchors), (TCvCoord{8, 0}));
    c.open(true); // back from mode 3 to the pivot
    EXPECT_EQ(c.mode(), OriginPivot);
    EXPECT_EQ(c.item(), 8);
}

TEST(InputDialog, ShearDirectionPreset) {
    EXPECT_TRUE(shearVertical(false, ShearPreset::Vertical));
    EXPECT_FALSE(shearVertical(true, ShearPreset::Horizontal));
    EXPECT_TRUE(shearVertical(true, ShearPreset::Keep));
    EXPECT_FALSE(shearVertical(false, ShearPreset::Keep));
}

TEST(MoveDialog, Layouts) {
    EXPECT_EQ(moveLayout(true, 5, false), MoveLayout::Point);
    EXPECT_EQ(moveLayout(false, 1, true), MoveLayout::Point);
    EXPECT_EQ(moveLayout(false, 3, true), MoveLayout::RelativeOnly);
    EXPECT_EQ(moveLayout(false, 3, false), MoveLayout::Full);
    EXPECT_EQ(moveDialogWidth(MoveLayout::Point), 293);
    EXPECT_EQ(moveDialogWidth(MoveLayout::RelativeOnly), 232);
    EXPECT_EQ(moveDialogWidth(MoveLayout::Full), 367);
}

TEST(MoveDialog, RemembersTheOffsetAcrossOpenings) {
    MoveDialogState s;
    s.open({0, 2, 4, 0});
    EXPECT_EQ(s.textX(), "0");
    ASSERT_TRUE(s.edit("2", "3"));
    s.setAbsolute(true); // leaves the dialog in Absolute mode
    s.open({10, 10, 10, 10});
    EXPECT_FALSE(s.absolute());
    EXPECT_EQ(s.textX(), "2");
    EXPECT_EQ(s.textY(), "3");
}

TEST(MoveDialog, AbsoluteModeShowsThePickedPointMoved) {
    MoveDialogState s;
    s.open({0, 2, 4, 0});
    ASSERT_TRUE(s.edit("1", "1"));
    s.setAbsolute(true);
    EXPECT_EQ(s.textX(), "3"); // centre (2, 1) moved by (1, 1)
    EXPECT_EQ(s.textY(), "2");
    s.pick(0); // top-left (0, 2)
    EXPECT_EQ(s.textX(), "1");
    EXPECT_EQ(s.textY(), "3");
    // Typing an absolute position gives the offset that brings the picked point there.
    ASSERT_TRUE(s.edit("0", "0"));
    EXPECT_EQ(s.offset(), (TCvCoord{0, -2}));
    s.setAbsolute(false);
    EXPECT_EQ(s.textY(), "-2");
}

TEST(MoveDialog, TextThatIsNotANumberKeepsTheLastOffset) {
    MoveDialogState s;
    s.open({});
    ASSERT_TRUE(s.edit("2", "3"));
    EXPECT_FALSE(s.edit("2", "x"));
    EXPECT_FALSE(s.edit("-", "3"));
    EXPECT_EQ(s.offset(), (TCvCoord{2, 3}));
}
