#include "commands/PathClipboard.h"
#include "export/SvgExport.h"
#include "model/ReadError.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

TCvLine selecting(TCvLine line, std::initializer_list<int> anchors) {
    for (int i : anchors) line.points[static_cast<std::size_t>(i)].selected = 1;
    line.UpdateSelected();
    return line;
}

std::vector<TCvLine> throughBlock(const std::vector<TCvLine>& paths) {
    return PasteBufferFrom(ClipboardContentOf(paths).block, std::nullopt);
}

const TCvLine ring = curve({{{0, 0}, {-1, 1}, {1, -1}},
                            {{4, 0}, {3, -1}, {5, 1}},
                            {{4, 3}, {5, 3}, {3, 3}},
                            {{0, 3}, {1, 4}, {-1, 2}}},
                           true);

} // namespace

TEST(PathClipboard, ObjectToolCopyPastesTheSamePathInPlaceAtTheFront) {
    TCvDocument doc;
    TCvLine named = ring;
    named.name = "ring";
    named.SelectAll(true);
    doc.Lines = {polyline({{9, 9}, {10, 10}}), named};
    const std::vector<TCvLine> buffer = throughBlock(CopiedPaths(doc, CopyScope::Paths));
    ASSERT_TRUE(PastePaths(doc, buffer, std::nullopt));
    ASSERT_EQ(doc.Lines.size(), 3u);
    EXPECT_EQ(doc.Lines[0], named);
    EXPECT_EQ(doc.Lines[0].selected, 1);
    EXPECT_EQ(doc.Lines[2].selected, 0); // the source is no longer selected
    EXPECT_EQ(doc.CountSelected(), 1);
    EXPECT_TRUE(coordNear(doc.Pivot, centre(named.GetBounds()), 1e-12));
    // Pasting again gives a second copy; one undo takes one away.
    ASSERT_TRUE(PastePaths(doc, buffer, std::nullopt));
    EXPECT_EQ(doc.Lines.size(), 4u);
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines.size(), 3u);
    EXPECT_FALSE(PastePaths(doc, {}, std::nullopt));
}

TEST(PathClipboard, AnchorToolCopiesSelectedRuns) {
    TCvDocument doc;
    doc.Lines = {selecting(ring, {0, 1, 2, 3})};
    std::vector<TCvLine> whole = CopiedPaths(doc, CopyScope::AnchorRuns);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0], selecting(ring, {0, 1, 2, 3}));

    doc.Lines = {selecting(ring, {1, 2})};
    std::vector<TCvLine> two = CopiedPaths(doc, CopyScope::AnchorRuns);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].closed, 0);
    ASSERT_EQ(two[0].count(), 2);
    EXPECT_EQ(two[0].points[0].anchor, (TCvCoord{4, 0}));
    EXPECT_EQ(two[0].points[1].outHandle, (TCvCoord{3, 3})); // handles travel with anchors

    // The run over the seam of a closed path stays one piece; a lone anchor is its own path.
    doc.Lines = {selecting(ring, {3, 0}), selecting(polyline({{0, 0}, {1, 0}, {2, 0}}), {1})};
    const std::vector<TCvLine> runs = throughBlock(CopiedPaths(doc, CopyScope::AnchorRuns));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].FirstAnchor(), (TCvCoord{0, 3}));
    EXPECT_EQ(runs[0].LastAnchor(), (TCvCoord{0, 0}));
    EXPECT_EQ(runs[1].count(), 1);
    for (const TCvLine& l : runs) EXPECT_EQ(l.selected, 1);
}

TEST(PathClipboard, CutSegmentsSplitsWhereBothEndsWereSelected) {
    TCvDocument doc;
    doc.Lines = {selecting(polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}), {1, 2})};
    const std::vector<TCvLine> before = doc.Lines;
    const std::vector<TCvLine> copied = CopiedPaths(doc, CopyScope::AnchorRuns);
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].count(), 2);
    ASSERT_TRUE(CutSegments(doc, CopyScope::AnchorRuns));
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].LastAnchor(), (TCvCoord{1, 0}));
    EXPECT_EQ(doc.Lines[1].FirstAnchor(), (TCvCoord{2, 0}));
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, before);
    // Any other tool: the selected paths go.
    ASSERT_TRUE(CutSegments(doc, CopyScope::Paths));
    EXPECT_TRUE(doc.Lines.empty());
}

TEST(PathClipboard, CentredPastePutsTheGroupCentreOnTheView) {
    TCvDocument doc;
    const std::vector<TCvLine> buffer = {selecting(polyline({{0, 0}, {2, 2}}), {0, 1}),
                                         selecting(polyline({{4, 0}, {6, 1}}), {0, 1})};
    ASSERT_TRUE(PastePaths(doc, buffer, TCvCoord{10, -5}));
    EXPECT_TRUE(coordNear(centre(doc.SelectionBounds), {10, -5}, 1e-12));
    EXPECT_TRUE(coordNear(doc.Pivot, {10, -5}, 1e-12));
    EXPECT_TRUE(coordNear(doc.Lines[0].FirstAnchor(), {7, -6}, 1e-12));
    // A move that would overflow keeps the paths where they were.
    TCvDocument far;
    const std::vector<TCvLine> huge = {selecting(polyline({{-1.5e308, 0}, {-1e308, 0}}), {0, 1})};
    ASSERT_TRUE(PastePaths(far, huge, TCvCoord{1.7e308, 0}));
    EXPECT_EQ(far.Lines[0].FirstAnchor(), (TCvCoord{-1.5e308, 0}));
}

TEST(PathClipboard, PastedPathsAreTheSelectionWhateverTheirFlags) {
    TCvDocument doc;
    TCvLine unflagged = polyline({{0, 0}, {1, 1}});
    TCvLine partly = selecting(polyline({{0, 0}, {1, 1}, {2, 2}}), {1});
    ASSERT_TRUE(PastePaths(doc, {unflagged, partly}, std::nullopt));
    EXPECT_EQ(doc.CountSelected(), 2);
    EXPECT_EQ(doc.Lines[0].points[0].selected, 1);
    EXPECT_EQ(doc.Lines[1].points[0].selected, 0); // a partial anchor selection is kept
    // A block from elsewhere may call a path hidden or locked; the selection is neither.
    TCvLine hidden = polyline({{5, 5}, {6, 6}});
    hidden.visible = 0;
    hidden.locked = 1;
    ASSERT_TRUE(PastePaths(doc, throughBlock({hidden}), std::nullopt));
    EXPECT_TRUE(doc.Lines[0].selected);
    EXPECT_TRUE(doc.Lines[0].visible);
    EXPECT_FALSE(doc.Lines[0].locked);
}

TEST(PathClipboard, TextPasteStartsANewPathWhereContinuityBreaks) {
    const std::string joined = "prism { bezier_spline 0, 1, 8,\n"
                               "<0,0>,<1,1>,<2,1>,<3,0>\n<3,0>,<4,-1>,<5,-1>,<6,0> }";
    const std::vector<TCvLine> one = PasteBufferFrom(std::nullopt, joined);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].count(), 3);
    EXPECT_EQ(one[0].selected, 1);
    const std::string broken = "bezier_spline <0,0>,<1,1>,<2,1>,<3,0> <7,0>,<8,1>,<9,1>,<10,0> }"
                               " and bezier_spline { <0,5>,<1,5>,<2,5>,<3,5> }";
    const std::vector<TCvLine> three = PasteBufferFrom(std::nullopt, broken);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1].FirstAnchor(), (TCvCoord{7, 0}));
    EXPECT_EQ(three[2].FirstAnchor(), (TCvCoord{0, 5}));
    EXPECT_TRUE(PasteBufferFrom(std::nullopt, "no paths here").empty());
    EXPECT_THROW(PasteBufferFrom(std::nullopt, "bezier_spline <0,0>,<x,1>"), ReadError);
}

TEST(PathClipboard, BlockIsPreferredAndCopiedTextPastesBack) {
    const std::vector<TCvLine> paths = {
        selecting(ring, {0, 1, 2, 3}), curve({{{0, 0}, {0, 0}, {1, 2}}, {{3, 0}, {2, 2}, {3, 0}}})};
    const ClipboardContent c = ClipboardContentOf(paths);
    EXPECT_NE(c.text.find("bezier_spline"), std::string::npos);
    // The block wins over the text.
    EXPECT_EQ(PasteBufferFrom(c.block, std::string("bezier_spline <9,9>,<9,9>,<9,9>,<8,8>")),
              paths);
    // The text alone gives the same curves (to the 15 decimals it carries).
    const std::vector<TCvLine> back = PasteBufferFrom(std::nullopt, c.text);
    ASSERT_EQ(back.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(back[i].closed, paths[i].closed) << i;
        ASSERT_EQ(back[i].count(), paths[i].count()) << i;
        for (int s = 0; s < paths[i].segmentCount(); ++s) {
            const Segment a = back[i].segment(s);
            const Segment b = paths[i].segment(s);
            for (auto [p, q] : {std::pair{a.a, b.a}, {a.h1, b.h1}, {a.h2, b.h2}, {a.b, b.b}})
                EXPECT_TRUE(coordNear(p, q, 1e-12)) << i << " segment " << s;
        }
    }
    // A damaged block is an error even when text is there too; nothing falls through.
    std::vector<std::uint8_t> bad = c.block;
    bad.pop_back();
    EXPECT_THROW(PasteBufferFrom(bad, c.text), ReadError);
}

namespace {

void expectSameCurves(const std::vector<TCvLine>& back, const std::vector<TCvLine>& paths,
                      double tol) {
    ASSERT_EQ(back.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(back[i].closed, paths[i].closed) << i;
        ASSERT_EQ(back[i].count(), paths[i].count()) << i;
        for (int s = 0; s < paths[i].segmentCount(); ++s) {
            const Segment a = back[i].segment(s);
            const Segment b = paths[i].segment(s);
            for (auto [p, q] : {std::pair{a.a, b.a}, {a.h1, b.h1}, {a.h2, b.h2}, {a.b, b.b}})
                EXPECT_TRUE(coordNear(p, q, tol)) << i << " segment " << s;
        }
    }
}

} // namespace

TEST(PathClipboard, CopiedSvgPastesBackWhenNoBlockIsThere) {
    const std::vector<TCvLine> paths = {
        ring, curve({{{0, 0}, {0, 0}, {1, 2}}, {{3, 0.25}, {2, 2}, {3, 0.25}}})};
    const ClipboardContent c = ClipboardContentOf(paths);
    ASSERT_NE(c.svg.find("<svg"), std::string::npos);
    const std::string other = "bezier_spline <9,9>,<9,9>,<9,9>,<8,8>";
    // The SVG document comes before the text, the block before both.
    const std::vector<TCvLine> back = PasteBufferFrom(ClipboardOffer{std::nullopt, c.svg, other});
    expectSameCurves(back, paths, 1e-12);
    for (const TCvLine& l : back) EXPECT_TRUE(l.selected);
    EXPECT_EQ(PasteBufferFrom(ClipboardOffer{c.block, std::string("<svg"), other}), paths);
}

TEST(PathClipboard, SvgFromAnotherProgramIsReadAsImportReadsIt) {
    // A letter O from a drawing program: y down in pixels, one element with both rings, the
    // inner one drawn the other way round; it becomes the hole of the outer one.
    const std::string svg = "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                            "width=\"300\" height=\"300\"><g transform=\"translate(0 -100)\">"
                            "<path d=\"M0 100 h300 v300 h-300 z m100 100 v100 h100 v-100 z\"/>"
                            "</g></svg>";
    const std::vector<TCvLine> back =
        PasteBufferFrom(ClipboardOffer{std::nullopt, svg, std::nullopt});
    ASSERT_EQ(back.size(), 1u);
    TCvLine expected = polyline({{0, 0}, {3, 0}, {3, -3}, {0, -3}}, true);
    expected.MergeHole(polyline({{1, -1}, {1, -2}, {2, -2}, {2, -1}}, true));
    expectSameCurves(back, {expected}, 1e-12);

    // A document without shapes gives way to the text; a broken one is reported, not skipped.
    const std::string text = "bezier_spline <0,0>,<0,1>,<1,1>,<1,0>";
    const std::string words =
        "<svg xmlns=\"http://www.w3.org/2000/svg\"><text x=\"1\" y=\"2\">O</text></svg>";
    EXPECT_EQ(PasteBufferFrom(ClipboardOffer{std::nullopt, words, text}).size(), 1u);
    EXPECT_TRUE(PasteBufferFrom(ClipboardOffer{std::nullopt, words, std::nullopt}).empty());
    EXPECT_THROW(PasteBufferFrom(ClipboardOffer{std::nullopt, svg.substr(0, 90), text}), ReadError);
}

TEST(PathClipboard, PathsBeyondSvgNumbersStillCopyInTheOtherForms) {
    const std::vector<TCvLine> paths = {polyline({{0, 0}, {1e307, 1}})};
    const ClipboardContent c = ClipboardContentOf(paths);
    EXPECT_TRUE(c.svg.empty());
    EXPECT_EQ(PasteBufferFrom(c.block, std::nullopt), paths);
}

TEST(PathClipboard, TheSvgFormIsTheExportedDocument) {
    // So what is proved of the export against another reader holds for the clipboard too.
    const std::vector<TCvLine> paths = {ring, polyline({{0, 0}, {1, 1}})};
    EXPECT_EQ(ClipboardContentOf(paths).svg, SvgExportText(paths));
}
