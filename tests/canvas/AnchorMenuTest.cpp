// The Anchor menu and the path clipboard on the window: what reaches the host, the range
// dialog, the handle clipboard and the path clipboard between two windows.
#include "MouseDriver.h"
#include "app/LanguageKeys.h"
#include "model/ClipboardBlock.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

struct AnchorMenu : plumex::testing::MouseFixture {
    int changes = 0;
    void SetUp() override {
        MouseFixture::SetUp();
        w.OnChange = [this](TCvWindow&) { ++changes; };
        // Two open paths whose ends (1, 0) and (1.05, 0) are near but apart.
        w.Document.Lines = {polyline({{-1, 0}, {1, 0}}), polyline({{1.05, 0}, {2, 1}})};
    }
    void selectAnchors(int path, std::initializer_list<int> anchors) {
        TCvLine& l = w.Document.Lines[static_cast<std::size_t>(path)];
        for (int i : anchors) l.points[static_cast<std::size_t>(i)].selected = 1;
        l.UpdateSelected();
        w.Document.SelectionChanged();
    }
};

} // namespace

TEST_F(AnchorMenu, JoinNearAsksForTheRangeAndRemembersIt) {
    selectAnchors(0, {1});
    selectAnchors(1, {0});
    host.sizeAnswer = SizeAnswer{0, 0}; // refused
    EXPECT_FALSE(w.JoinNearEndAnchors());
    ASSERT_TRUE(host.sizeRequest);
    EXPECT_EQ(host.sizeRequest->mode, 2);
    EXPECT_EQ(host.sizeRequest->caption, D_JoinRange); // not the scale dialog's title
    host.sizeAnswer = SizeAnswer{0.02, 0};             // too small for 0.05
    EXPECT_FALSE(w.JoinNearEndAnchors());
    EXPECT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_FALSE(w.Document.IsModified());
    host.sizeAnswer.reset(); // cancelled: the range stays what was entered last
    EXPECT_FALSE(w.JoinNearEndAnchors());
    EXPECT_EQ(host.sizeRequest->width, 0.02);
    host.sizeTyped = 0.07; // cancelled after typing: that is the range now
    EXPECT_FALSE(w.JoinNearEndAnchors());
    EXPECT_FALSE(w.JoinNearEndAnchors());
    EXPECT_EQ(host.sizeRequest->width, 0.07);
    host.sizeTyped.reset();
    host.sizeAnswer = SizeAnswer{0.1, 0};
    ASSERT_TRUE(w.JoinNearEndAnchors());
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_EQ(w.Document.Lines[0].points[1].anchor, (TCvCoord{1.025, 0}));
    EXPECT_EQ(changes, 1);
    // Shared by every window.
    TCvWindow other(&o);
    plumex::testing::FakeHost otherHost;
    other.SetHost(&otherHost);
    other.Document.Lines = {polyline({{0, 0}, {1, 0}})};
    other.Document.Lines[0].SelectAll(true);
    other.JoinNearEndAnchors();
    EXPECT_EQ(otherHost.sizeRequest->width, 0.1);
}

TEST_F(AnchorMenu, JoinEndsThePenPath) {
    w.SetTool(ToolKind::Pen);
    // The pen's path ends in its floating anchor, which the join must not take along.
    w.Document.Lines[0].points.push_back(w.Document.Lines[0].points.back());
    w.SetPenPath(0);
    selectAnchors(0, {0});
    selectAnchors(1, {1});
    ASSERT_TRUE(w.JoinEndAnchors(JoinShape::Straight));
    EXPECT_EQ(w.PenPath(), -1);
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_EQ(w.Document.Lines[0].count(), 4);
}

TEST_F(AnchorMenu, HandlesCopiedFromOneAnchorPasteOntoAnother) {
    w.SetTool(ToolKind::Anchor);
    EXPECT_FALSE(w.PasteHandle()); // nothing copied yet
    w.Document.Lines[0].points[1].outHandle = {1.5, 0.5};
    w.Document.Lines[0].points[1].inHandle = {0.5, -0.5};
    selectAnchors(0, {1});
    ASSERT_TRUE(w.CopyHandle());
    ASSERT_TRUE(w.HasHandleClipboard());
    EXPECT_FALSE(w.Document.IsModified());
    // The anchor under the mouse, not the selected one.
    ASSERT_TRUE(w.PasteHandle(AnchorRef{1, 1}));
    const TCvPoint& p = w.Document.Lines[1].points[1];
    EXPECT_EQ(p.outHandle, (TCvCoord{2.5, 1.5}));
    EXPECT_EQ(p.inHandle, (TCvCoord{1.5, 0.5}));
    EXPECT_EQ(changes, 2);
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines[1].points[1].outHandle, (TCvCoord{2, 1}));
}

TEST_F(AnchorMenu, CopyInOneWindowPastesInAnother) {
    w.SetTool(ToolKind::Anchor);
    selectAnchors(0, {0, 1});
    w.Document.Lines[0].name = "kept";
    ASSERT_TRUE(w.Copy());
    ASSERT_TRUE(host.clipboardOffer.block);
    EXPECT_NE(host.clipboardOffer.text->find("bezier_spline"), std::string::npos);

    TCvWindow other(&o);
    other.SetHost(&host); // one system clipboard
    other.Resize(413, 313);
    other.HandleCreated();
    other.Document.Lines = {polyline({{7, 7}, {8, 8}})};
    ASSERT_TRUE(other.Paste(PastePlace::SamePosition));
    ASSERT_EQ(other.Document.Lines.size(), 2u);
    EXPECT_EQ(other.Document.Lines[0], w.Document.Lines[0]); // whole path: name kept
    EXPECT_EQ(other.Document.CountSelected(), 1);
    // Centred: on the other window's view centre.
    ASSERT_TRUE(other.Paste(PastePlace::ViewCentre));
    EXPECT_TRUE(plumex::testing::coordNear(centre(other.Document.SelectionBounds),
                                           other.ViewCenter(), 1e-9));
    // The clipboard changed behind the window's back: Paste reads it again.
    host.clipboardOffer = {std::nullopt, std::nullopt,
                           std::string("bezier_spline <0,0>,<0,1>,<1,1>,<1,0>")};
    ASSERT_TRUE(other.Paste(PastePlace::SamePosition));
    EXPECT_EQ(other.Document.Lines[0].count(), 2);
    EXPECT_EQ(other.Document.Lines[0].LastAnchor(), (TCvCoord{1, 0}));
}

TEST_F(AnchorMenu, PasteTakesTheSvgDocumentWhenNoBlockIsThere) {
    w.Document.SelectAll();
    ASSERT_TRUE(w.Copy());
    ASSERT_TRUE(host.clipboardOffer.svg);
    host.clipboardOffer.block.reset(); // as a drawing program offers it
    const auto before = w.Document.Lines;
    ASSERT_TRUE(w.Paste(PastePlace::SamePosition));
    ASSERT_EQ(w.Document.Lines.size(), 4u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(w.Document.Lines[i].selected);
        ASSERT_EQ(w.Document.Lines[i].count(), before[i].count());
        for (int k = 0; k < before[i].count(); ++k)
            EXPECT_TRUE(plumex::testing::coordNear(w.Document.Lines[i].points[k].anchor,
                                                   before[i].points[k].anchor, 1e-12));
    }
    // A broken document is reported at paste and changes nothing.
    host.clipboardOffer.svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0 L";
    const auto pasted = w.Document.Lines;
    EXPECT_FALSE(w.Paste(PastePlace::SamePosition));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("SVG"), std::string::npos) << host.messages[0];
    EXPECT_EQ(w.Document.Lines, pasted);
}

TEST_F(AnchorMenu, DamagedBlockIsReportedAndPastesNothing) {
    std::vector<std::uint8_t> block = WriteClipboardBlock({polyline({{0, 0}, {1, 1}})});
    block[0] ^= 1; // the size no longer agrees
    host.clipboardOffer = {block, std::nullopt,
                           std::string("bezier_spline <0,0>,<0,1>,<1,1>,<1,0>")};
    EXPECT_FALSE(w.ReadClipboard()); // the menu update stays quiet
    EXPECT_TRUE(w.ClipboardUnreadable());
    EXPECT_TRUE(host.messages.empty());
    const auto before = w.Document.Lines;
    EXPECT_FALSE(w.Paste(PastePlace::ViewCentre));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Invalid Data");
    EXPECT_TRUE(w.PasteBuffer().empty());
    EXPECT_EQ(w.Document.Lines, before);
    EXPECT_FALSE(w.Document.IsModified());
    host.clipboardOffer.block.reset(); // the text alone reads
    EXPECT_TRUE(w.ReadClipboard());
    EXPECT_FALSE(w.ClipboardUnreadable());
}

TEST_F(AnchorMenu, CutSegmentsAndCutKeepWhatTheyCopied) {
    w.SetTool(ToolKind::Anchor);
    w.Document.Lines = {polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}})};
    selectAnchors(0, {1, 2});
    ASSERT_TRUE(w.CutSegments());
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    const std::vector<TCvLine> copied = ReadClipboardBlock(*host.clipboardOffer.block);
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].count(), 2);
    // Cut with the object tool: the selected paths go, and come back with Paste.
    w.SetTool(ToolKind::Object);
    w.Document.SelectAll();
    ASSERT_TRUE(w.Cut());
    EXPECT_TRUE(w.Document.Lines.empty());
    ASSERT_TRUE(w.Paste(PastePlace::SamePosition));
    EXPECT_EQ(w.Document.Lines.size(), 2u);
}
