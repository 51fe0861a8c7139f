// The text tool, driven by mouse events with a scripted text dialog.
#include "canvas/TextTool.h"
#include "MouseDriver.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::coordNear;

namespace {

struct TextToolFixture : plumex::testing::MouseFixture {
    void SetUp() override {
        MouseFixture::SetUp();
        w.SetTool(ToolKind::Text);
        TextRequest r;
        r.text = "Ho";
        r.family = "DejaVu Sans";
        r.objectSize = 0.5;
        host.textAnswer = r;
    }
    // The outlines the layout gives for the scripted request with its baseline at `at`.
    std::vector<TCvLine> expected(TCvCoord at) const {
        return MakeTextOutlines(*host.textAnswer, at).paths;
    }
    void expectTextAt(std::size_t first, TCvCoord at) {
        const std::vector<TCvLine> want = expected(at);
        ASSERT_GE(w.Document.Lines.size(), first + want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            const TCvLine& got = w.Document.Lines[first + i];
            EXPECT_TRUE(got.selected);
            ASSERT_EQ(got.count(), want[i].count());
            for (int j = 0; j < got.count(); ++j)
                ASSERT_TRUE(coordNear(got.points[j].anchor, want[i].points[j].anchor, 1e-9));
        }
    }
};

TEST_F(TextToolFixture, ClickPlacesTheBaselineAtThePointAsOneUndoStep) {
    w.Document.Lines = {plumex::testing::polyline({{-1, -1}, {-0.5, -1}})};
    w.Document.Lines[0].SelectAll(true);
    clickU({0.5, 0.25});
    ASSERT_EQ(host.textRequests.size(), 1u);
    EXPECT_FALSE(host.textRequests[0]); // a click presets no size
    // "H" is one path, "o" one with its counter merged.
    ASSERT_EQ(w.Document.Lines.size(), 3u);
    EXPECT_FALSE(w.Document.Lines[0].selected);
    expectTextAt(1, {0.5, 0.25});
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 1u);
}

TEST_F(TextToolFixture, TallDragPresetsTheSizeAndStartsAtItsLowerLeft) {
    dragU({0.2, 0.9}, {1.4, 0.1});
    ASSERT_EQ(host.textRequests.size(), 1u);
    ASSERT_TRUE(host.textRequests[0]);
    EXPECT_NEAR(*host.textRequests[0], 0.8, 0.011);
    expectTextAt(0, {0.2, 0.1});
    // A band a pixel high is no size.
    host.textRequests.clear();
    drag(px({0.2, 0.5}), PixelPoint{px({0.2, 0.5}).x + 40, px({0.2, 0.5}).y + 1});
    ASSERT_EQ(host.textRequests.size(), 1u);
    EXPECT_FALSE(host.textRequests[0]);
}

TEST_F(TextToolFixture, CtrlRepeatsTheLastTextWithoutTheDialog) {
    // Without a text yet, Ctrl still asks.
    clickU({0, 0}, ssCtrl);
    EXPECT_EQ(host.textRequests.size(), 1u);
    const std::size_t n = w.Document.Lines.size();
    host.textAnswer.reset(); // the dialog would cancel now
    clickU({1, -0.5}, ssCtrl);
    EXPECT_EQ(host.textRequests.size(), 1u);
    ASSERT_EQ(w.Document.Lines.size(), 2 * n);
    EXPECT_EQ(undoSteps(), 2u);
    TextRequest r;
    r.text = "Ho";
    r.family = "DejaVu Sans";
    r.objectSize = 0.5;
    host.textAnswer = r;
    expectTextAt(n, {1, -0.5});
    EXPECT_FALSE(w.Document.Lines[0].selected);
}

TEST_F(TextToolFixture, CancelEmptyTextDoubleClickAndBadFontsAddNothing) {
    host.textAnswer.reset();
    clickU({0, 0});
    host.textAnswer = TextRequest{};
    host.textAnswer->text = "";
    clickU({0, 0});
    host.textAnswer->text = "   "; // only spaces: no outlines, no undo step
    host.textAnswer->family = "DejaVu Sans";
    clickU({0, 0});
    w.MouseDown({px({0, 0}), MouseButton::Left, ssLeft | ssDouble});
    up(px({0, 0}));
    host.textAnswer->text = "A";
    host.textAnswer->fontFile = "/nonexistent/font.ttf";
    clickU({0, 0});
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(w.Document.Lines.empty());
    EXPECT_EQ(undoSteps(), 0u);
    EXPECT_EQ(host.textRequests.size(), 4u);
}

} // namespace
