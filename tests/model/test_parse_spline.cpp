#include "model/Path.h"
#include "model/ReadError.h"
#include "testing.h"

#include <string>

TEST(ParseSpline, OneGroupMakesAnOpenTwoAnchorPath) {
    TCvLine line;
    const std::string text = "bezier_spline 4, <0,0>, <1,1>, <2,1>, <3,0>";
    EXPECT_EQ(line.ParseSpline(text, text.size()), text.size());
    ASSERT_EQ(line.count(), 2);
    EXPECT_EQ(line.closed, 0);
    EXPECT_EQ(line.points[0].inHandle, (TCvCoord{-1, -1}));
    EXPECT_EQ(line.points[0].outHandle, (TCvCoord{1, 1}));
    EXPECT_EQ(line.points[1].inHandle, (TCvCoord{2, 1}));
    EXPECT_EQ(line.points[1].outHandle, (TCvCoord{4, -1}));
}

TEST(ParseSpline, ReturningToTheStartClosesThePath) {
    TCvLine line;
    const std::string text = "<0,0><1,1><2,1><3,0> <3,0><2,-1><1,-1.5><0,0>";
    line.ParseSpline(text, text.size());
    ASSERT_EQ(line.count(), 2);
    EXPECT_EQ(line.closed, 1);
    EXPECT_EQ(line.points[0].inHandle, (TCvCoord{1, -1.5}));
    EXPECT_EQ(line.points[0].independent, 1);
}

TEST(ParseSpline, StopsAtABreakInContinuity) {
    TCvLine line;
    const std::string text = "<0,0>,<1,1>,<2,1>,<3,0>,<9,9>,<1,1>,<2,1>,<3,0>";
    const std::size_t stop = line.ParseSpline(text, text.size());
    EXPECT_EQ(stop, text.find("<9,9>"));
    EXPECT_EQ(line.count(), 2);
    TCvLine next;
    EXPECT_EQ(next.ParseSpline(text.substr(stop), text.size() - stop), text.size() - stop);
    EXPECT_EQ(next.FirstAnchor(), (TCvCoord{9, 9}));
}

TEST(ParseSpline, ToleratesSpacingAndIgnoresShortGroups) {
    TCvLine line;
    const std::string text = "< -1.5 ,, .25 >\n<1e1, -2> <2,1> <3,0> <4,4>";
    line.ParseSpline(text, text.size());
    ASSERT_EQ(line.count(), 2);
    EXPECT_EQ(line.points[0].anchor, (TCvCoord{-1.5, 0.25}));
    EXPECT_EQ(line.points[0].outHandle, (TCvCoord{10, -2}));
    // The limit cuts the text: only three points before it, so nothing is made.
    TCvLine cut;
    cut.ParseSpline(text, text.find("<3,0>"));
    EXPECT_EQ(cut.count(), 0);
}

TEST(ParseSpline, MalformedPointsRaiseTheReadError) {
    for (const std::string bad : {"<a,0><1,1><2,1><3,0>", "<0,x><1,1><2,1><3,0>", "<0,", "<-,1>",
                                  "<-inf,1><1,1><2,1><3,0>", "<1e999,1>"}) {
        TCvLine line;
        try {
            line.ParseSpline(bad, bad.size());
            ADD_FAILURE() << bad;
        } catch (const plumex::ReadError& e) {
            EXPECT_STREQ(e.what(), "ReadPoint::ReadError");
        }
    }
}

// The handle mirrored for an end anchor must stay a number, or the path could not be saved.
TEST(ParseSpline, EndHandlesMirroredPastTheDoubleRangeRaiseTheReadError) {
    for (const std::string bad :
         {"<1e308,0><-1e308,0><0,0><1,0>", "<0,0><1,0><-1e308,5><1e308,5>"}) {
        TCvLine line;
        try {
            line.ParseSpline(bad, bad.size());
            ADD_FAILURE() << bad;
        } catch (const plumex::ReadError& e) {
            EXPECT_STREQ(e.what(), "ReadPoint::ReadError");
        }
    }
    // Large but mirrorable: accepted.
    TCvLine line;
    const std::string fine = "<5e307,0><-5e307,0><0,0><1,0>";
    line.ParseSpline(fine, fine.size());
    ASSERT_EQ(line.count(), 2);
    EXPECT_EQ(line.points[0].inHandle.x, 1.5e308);
}
