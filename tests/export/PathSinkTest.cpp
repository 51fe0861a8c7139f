#include "export/PathSink.h"

#include "testing.h"

#include <string>

namespace plumex {
namespace {

using testing::A3;

// Records the walk as text so a test reads the whole call sequence at once.
class Recorder : public PathSink {
public:
    std::string log;
    void beginPath(const TCvLine&) override { log += "B"; }
    void moveTo(const TCvPoint& p) override { log += " M" + num(p.anchor); }
    void lineTo(const Segment& s, const TCvPoint& end) override {
        log += " L" + num(s.a) + ">" + num(end.anchor);
    }
    void cubicTo(const Segment& s, const TCvPoint& end) override {
        log += " C" + num(s.h1) + num(s.h2) + ">" + num(end.anchor);
    }
    void closePath() override { log += " Z"; }
    void endPath() override { log += " E"; }

private:
    static std::string num(TCvCoord c) {
        return "(" + std::to_string(static_cast<int>(c.x)) + "," +
               std::to_string(static_cast<int>(c.y)) + ")";
    }
};

TEST(PathSink, ClosedPathEndsOnFirstAnchorAndCloses) {
    Recorder r;
    walkPath(testing::curve({{{0, 0}, {0, 0}, {1, 0}}, {{2, 2}, {2, 2}, {2, 2}}}, true), r);
    // Segment 0 has one handle out, so it is curved; the closing one is straight.
    EXPECT_EQ(r.log, "B M(0,0) C(1,0)(2,2)>(2,2) L(2,2)>(0,0) Z E");
}

TEST(PathSink, OpenAndDegeneratePaths) {
    Recorder open;
    walkPath(testing::polyline({{0, 0}, {3, 0}, {3, 4}}), open);
    EXPECT_EQ(open.log, "B M(0,0) L(0,0)>(3,0) L(3,0)>(3,4) E");

    Recorder single;
    walkPath(testing::polyline({{5, 5}}), single);
    EXPECT_EQ(single.log, "B M(5,5) E");

    Recorder empty;
    walkPath(TCvLine{}, empty);
    EXPECT_EQ(empty.log, "B E");
}

TEST(PathSink, OneAnchorClosedPathLoopsOnItself) {
    Recorder r;
    walkPath(testing::curve({{{1, 1}, {0, 3}, {3, 3}}}, true), r);
    EXPECT_EQ(r.log, "B M(1,1) C(3,3)(0,3)>(1,1) Z E");
}

} // namespace
} // namespace plumex
