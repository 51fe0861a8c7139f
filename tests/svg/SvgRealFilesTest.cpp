// What exported and hand-written files carry beyond the basic cases: unclosed filled subpaths,
// leftover attributes, SVG 2 root sizing, style sheets, compression, hostile nesting and the
// refusals' quotes.

#include "svg/SvgImport.h"
#include "svg/SvgOutlines.h"

#include "geometry/shapes.h"

#include "model/LineTree.h"
#include "model/ReadError.h"
#include "testing.h"

#include <zlib.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <string>

namespace plumex {
namespace {

using testing::coordNear;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::vector<TCvLine> importText(const std::string& text, SvgImportOptions options = {}) {
    return ImportSvg(bytesOf(text), options);
}

std::string svg(const std::string& body, const std::string& rootAttributes = "") {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" " + rootAttributes + ">" + body + "</svg>";
}

TCvCoord px(double x, double y) {
    return {x / 100, -y / 100};
}

std::string refusal(const std::string& text) {
    try {
        importText(text);
    } catch (const ReadError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(SvgRealFiles, FilledSubpathsCloseAndStrokedOnesStayOpen) {
    // A head of four arcs ending where it began, without z, as icon sets write it.
    const std::string head = "M12 2 A10 10 0 0 1 22 12 A10 10 0 0 1 12 22 A10 10 0 0 1 2 12 "
                             "A10 10 0 0 1 12 2";
    const std::string file = svg("<path d=\"" + head +
                                 "\"/>"
                                 "<path fill=\"none\" stroke=\"black\" d=\"" +
                                 head +
                                 "\"/>"
                                 "<g fill=\"none\" stroke=\"#000\"><path d=\"M0 0 L10 0 L10 10\"/>"
                                 "<path fill=\"#f00\" d=\"M0 0 L10 0 L10 10\"/></g>"
                                 "<g style=\"fill:none;stroke:#000\"><use href=\"#u\"/></g>"
                                 "<defs><path id=\"u\" d=\"M0 0 L5 0 L5 5\"/></defs>"
                                 "<path d=\"M0 0 L30 0\"/>");
    const auto paths = importText(file);
    ASSERT_EQ(paths.size(), 6u);
    const TCvLine& filled = paths[0];
    EXPECT_TRUE(filled.closed);
    ASSERT_EQ(filled.count(), 4); // the duplicate end anchor is gone
    EXPECT_EQ(filled.points[0].anchor, px(12, 2));
    // The last arc's handle now ends the closing segment at the first anchor.
    EXPECT_NEAR(filled.points[0].inHandle.x, px(12 - 10 * 4.0 / 3 * std::tan(M_PI / 8), 2).x, 1e-9);
    EXPECT_FALSE(paths[1].closed);
    EXPECT_EQ(paths[1].count(), 5);
    EXPECT_FALSE(paths[2].closed); // fill none inherited
    EXPECT_TRUE(paths[3].closed);  // its own fill wins
    EXPECT_FALSE(paths[4].closed); // a use inherits the group's style
    EXPECT_FALSE(paths[5].closed); // a single straight segment encloses nothing
    for (const TCvLine& l : paths) EXPECT_TRUE(l.selected);
    // Only the filled ones, when the stroked outlines are not wanted.
    const auto filledOnly = importText(file, {.filledOnly = true});
    ASSERT_EQ(filledOnly.size(), 3u);
    EXPECT_EQ(filledOnly[0], paths[0]);
    EXPECT_EQ(filledOnly[1], paths[3]);
    EXPECT_EQ(filledOnly[2], paths[5]);
}

TEST(SvgRealFiles, FillAndFillRuleAreKeptPerElement) {
    const auto outlines = parseSvgOutlines(
        bytesOf(svg("<style>.eo{fill-rule:evenodd}</style><path d=\"M0 0 L1 1 L0 1\"/>"
                    "<path class=\"eo\" d=\"M0 0 L1 1 L0 1\"/><g fill-rule=\"evenodd\">"
                    "<path fill=\"none\" d=\"M0 0 L1 1\"/></g>")));
    ASSERT_EQ(outlines.size(), 3u);
    EXPECT_TRUE(outlines[0].filled);
    EXPECT_EQ(outlines[0].fillRule, SvgFillRule::NonZero);
    EXPECT_EQ(outlines[1].fillRule, SvgFillRule::EvenOdd);
    EXPECT_FALSE(outlines[2].filled);
    EXPECT_EQ(outlines[2].fillRule, SvgFillRule::EvenOdd);
}

// A shape with neither fill nor stroke draws nothing in a browser, so it is not imported: each
// shape below is tagged by its width (the right edge of its bounds, in pixels) so that the
// kept ones can be named. Stroke is inherited, set by sheets and style attributes, and
// "none" or "transparent" take it away; an unstroked <line> has nothing to draw either.
TEST(SvgRealFiles, ShapesThatDrawNothingStayOut) {
    const std::string sheet = "<style>.outline { fill: none; stroke: #000 } .bare { fill: none }"
                              " #unstroked { stroke: none }</style>";
    const std::string body =
        sheet + "<path fill=\"none\" d=\"M0 0 L1 0 L1 1\"/>"                      // nothing: out
                "<path fill=\"none\" stroke=\"red\" d=\"M0 0 L2 0 L2 2\"/>"       // stroked: open
                "<g stroke=\"#000\"><path fill=\"none\" d=\"M0 0 L3 0 L3 3\"/>"   // inherited
                "<path fill=\"none\" stroke=\"none\" d=\"M0 0 L4 0 L4 4\"/></g>"  // taken away: out
                "<path class=\"outline\" d=\"M0 0 L5 0 L5 5\"/>"                  // sheet: open
                "<path class=\"bare\" d=\"M0 0 L6 0 L6 6\"/>"                     // sheet: out
                "<path class=\"outline\" id=\"unstroked\" d=\"M0 0 L7 0 L7 7\"/>" // id beats: out
                "<path style=\"fill:none;stroke:transparent\" d=\"M0 0 L8 0 L8 8\"/>" // out
                "<line x1=\"0\" y1=\"0\" x2=\"9\" y2=\"0\"/>"                         // out
                "<line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"0\" style=\"stroke:blue\"/>"  // open
                "<path d=\"M0 0 L11 0 L11 11\"/>"; // filled by default: closed
    const auto widths = [](const std::vector<TCvLine>& paths) {
        std::vector<long> out;
        for (const TCvLine& l : paths) out.push_back(std::lround(l.GetBounds().right * 100));
        return out;
    };
    const auto paths = importText(svg(body));
    EXPECT_EQ(widths(paths), (std::vector<long>{2, 3, 5, 10, 11}));
    for (const TCvLine& l : paths) EXPECT_EQ(l.closed != 0, l.GetBounds().right > 0.105);
    // Filled shapes only keeps the last one.
    EXPECT_EQ(widths(importText(svg(body), {.filledOnly = true})), (std::vector<long>{11}));
}

TEST(SvgRealFiles, LeftoverAttributesAndLooseNumbersAreRead) {
    const auto paths = importText(svg(
        "<circle d=\"M0 0\" cx=\"10\" cy=\"10\" r=\"5\" height=\"3\"/>"
        "<path height=\"7\" width=\"2\" r=\"4\" d=\"M0 0 L10 0 L10 10z\"/>"
        "<rect width=\"10.\" height=\"20.\" x=\"1.\"/>"
        "<path d=\"M0 0 L4 0 L4 4z\" style=\"fill: none !important; display: inline; stroke: "
        "#000\"/>"
        "<path d=\"M0 0 L4 0 L4 4z\" style=\"fill:rgba(0,0,0,0.5)\"/>"
        "<path d=\"M0 0 L4 0 L4 4\" style=\"fill:transparent;stroke:#000\"/>"
        "<ellipse cx=\"20\" cy=\"0\" rx=\" 8\" ry=\"4 \"/><rect width=\"\t10. \" height=\"1\"/>",
        "width=\"100.\" height=\"100.\""));
    ASSERT_EQ(paths.size(), 8u);
    EXPECT_NEAR(paths[0].GetBounds().right, 0.15, 1e-6);
    EXPECT_EQ(paths[1].count(), 3);
    EXPECT_NEAR(paths[2].GetBounds().right, 0.11, 1e-12);
    EXPECT_NEAR(paths[2].GetBounds().bottom, -0.2, 1e-12);
    EXPECT_FALSE(paths[5].closed);                       // transparent paints nothing
    EXPECT_NEAR(paths[6].GetBounds().right, 0.28, 1e-9); // spaces around numbers
    EXPECT_NEAR(paths[6].GetBounds().bottom, -0.04, 1e-9);
    EXPECT_NEAR(paths[7].GetBounds().right, 0.10, 1e-12);
}

TEST(SvgRealFiles, TheRootTakesTheSizeABrowserGivesIt) {
    const std::string square = "<path d=\"M0 0 L24 0 L24 24 L0 24z\"/>";
    const auto right = [&](const std::string& root) {
        const auto p = importText(svg(square, root));
        return p.at(0).GetBounds().right * 100;
    };
    const auto bottom = [&](const std::string& root) {
        const auto p = importText(svg(square, root));
        return -p.at(0).GetBounds().bottom * 100;
    };
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" height=\"48\""), 48, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" width=\"0.5in\""), 48, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" width=\"100%\" height=\"100%\""), 24, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\""), 24, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" width=\"96\" height=\"48\""), 48, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" width=\"96\" height=\"48\" "
                      "preserveAspectRatio=\"xMinYMin slice\""),
                96, 1e-9);
    EXPECT_NEAR(right("viewBox=\"0 0 24 24\" width=\"96\" height=\"48\" "
                      "preserveAspectRatio=\"none\""),
                96, 1e-9);
    EXPECT_NEAR(bottom("viewBox=\"0 0 24 24\" width=\"96\" height=\"48\" "
                       "preserveAspectRatio=\"none\""),
                48, 1e-9);
    EXPECT_NEAR(right("width=\"50\""), 24, 1e-9); // without a viewBox, user units are pixels
}

TEST(SvgRealFiles, StyleSheetsSelectByTypeClassAndId) {
    const std::string sheet = "<style type=\"text/css\">/* exported */\n"
                              "path { fill: none; stroke: #000 }\n"
                              ".solid, #one { fill: #000 }\n"
                              "path.gone, .x:hover { display: none }\n"
                              ".ghost { visibility: hidden } .moved { transform: "
                              "translate(10px, 0) } @media print { path { display: none } }\n"
                              "#two { fill: none !important }</style>";
    const auto paths = importText(
        svg(sheet + "<path d=\"M0 0 L1 0 L1 1\"/>"                   // type: unfilled, open
                    "<path class=\"a solid\" d=\"M0 0 L2 0 L2 2\"/>" // class beats type
                    "<path id=\"one\" d=\"M0 0 L3 0 L3 3\"/>"        // id
                    "<path class=\"gone\" d=\"M0 0 L4 0 L4 4\"/>"    // hidden
                    "<g class=\"ghost\"><path d=\"M0 0 L5 0\"/>"
                    "<path visibility=\"visible\" d=\"M0 0 L6 0\"/></g>"
                    "<path class=\"solid moved\" d=\"M0 0 L7 0 L7 7\"/>"
                    "<path id=\"two\" class=\"solid\" style=\"fill:red\" d=\"M0 0 L8 0 L8 8\"/>"
                    "<path class=\"solid\" style=\"fill:none\" d=\"M0 0 L9 0 L9 9\"/>"));
    ASSERT_EQ(paths.size(), 7u);
    EXPECT_FALSE(paths[0].closed);
    EXPECT_TRUE(paths[1].closed);
    EXPECT_TRUE(paths[2].closed);
    EXPECT_EQ(paths[3].points[1].anchor, px(6, 0)); // a visible child of a hidden group
    EXPECT_EQ(paths[4].points[0].anchor, px(10, 0));
    EXPECT_TRUE(paths[4].closed);
    EXPECT_FALSE(paths[5].closed); // !important in the sheet beats the inline style
    EXPECT_FALSE(paths[6].closed); // the inline style beats the sheet
}

std::string gzip(const std::string& text) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&z, text.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

TEST(SvgRealFiles, CompressedFilesOpen) {
    const std::string plain = svg("<rect width=\"10\" height=\"20\"/>");
    const auto paths = importText(gzip(plain));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_NEAR(paths[0].GetBounds().bottom, -0.2, 1e-12);
    const std::string packed = gzip(plain);
    EXPECT_NE(refusal(packed.substr(0, packed.size() / 2)).find("compressed"), std::string::npos);
}

std::string useChain(int levels) {
    std::string body = "<path id=\"p0\" d=\"M0 0 L10 0 L10 10z\"/>";
    for (int i = 1; i <= levels; ++i)
        body += "<g id=\"p" + std::to_string(i) + "\"><use href=\"#p" + std::to_string(i - 1) +
                "\"/></g>";
    return svg(body);
}

TEST(SvgRealFiles, DeepReferencesAndNestingAreRefusedByTheirDepth) {
    EXPECT_NE(refusal(useChain(3000)).find("more than 100 levels deep"), std::string::npos);
    std::string nested;
    for (int i = 0; i < 150; ++i) nested += "<svg>";
    nested += "<rect width=\"1\" height=\"1\"/>";
    for (int i = 0; i < 150; ++i) nested += "</svg>";
    EXPECT_NE(refusal(svg(nested)).find("100 levels"), std::string::npos);
    // Twenty levels are an ordinary drawing: every level draws the one path again.
    EXPECT_EQ(importText(useChain(20)).size(), 21u);
}

TEST(SvgRealFiles, RefusalsQuoteLittleAndSayWhere) {
    std::string d = "M0 0";
    while (d.size() < 1'000'000) d += " L1 2";
    d += " L3 x4 L5 6";
    const std::string text =
        "<svg xmlns=\"http://www.w3.org/2000/svg\">\n<g>\n  <path d=\"" + d + " L1 1\"/></g></svg>";
    const std::string message = refusal(text);
    EXPECT_LT(message.size(), 200u) << message.substr(0, 300);
    const std::size_t column = 12 + d.find('x'); // "  <path d=\"" is 11 bytes
    EXPECT_NE(message.find("line 3, column " + std::to_string(column)), std::string::npos)
        << message;
    EXPECT_NE(message.find("L3 x4 L5 6"), std::string::npos) << message;
    // A path of more than libxml2's 10 MB per attribute is read.
    const std::string huge = svg("<path d=\"M0 0 L10 0" + std::string(10'500'000, ' ') +
                                 "L10 10z\"/><path d=\"M0 0 L1 1 L0 1z\"/>");
    EXPECT_EQ(importText(huge).size(), 2u);
}

TEST(SvgRealFiles, ACancelledImportStops) {
    std::atomic<bool> cancel{true};
    EXPECT_THROW(importText(useChain(3), {.cancel = &cancel}), SvgImportCancelled);
    cancel = false;
    EXPECT_EQ(importText(useChain(3), {.cancel = &cancel}).size(), 4u);
}

TEST(SvgRealFiles, ThousandsOfNestedSubpathsMakeHolesQuickly) {
    // 2,000 concentric octagons, as a traced target or a contour map writes them.
    std::string d;
    for (int i = 0; i < 2000; ++i) {
        const double r = 2 + i;
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4 + 0.1;
            d += (k ? " L" : " M") + std::to_string(r * std::cos(a)) + " " +
                 std::to_string(r * std::sin(a));
        }
        d += "z";
    }
    const std::string drawing = svg("<path fill-rule=\"evenodd\" d=\"" + d + "\"/>");
    // The hole making alone is timed: reading the path data is the same either way.
    const auto rings = importText(drawing, {.makeHoles = false});
    ASSERT_EQ(rings.size(), 2000u);
    const auto start = std::chrono::steady_clock::now();
    std::vector<TCvLine> flat;
    Flatten(BuildTree(rings).top, flat);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(flat.size(), 1000u);
    const auto paths = importText(drawing);
    // Rings nest alternately: the outer of each pair keeps the next as its hole, joined by a
    // bridge there and back.
    ASSERT_EQ(paths.size(), 1000u);
    EXPECT_EQ(paths[0].count(), 8 + 1 + 8 + 1);
    EXPECT_LT(seconds, 1.0);
}

} // namespace
} // namespace plumex

namespace plumex {
namespace {

// A published icon: two filled paths that never write z, the second a disc with the digit's
// counter as its hole.
TEST(SvgRealFiles, APublishedIconImportsAsFilledShapes) {
    const auto paths =
        ImportSvgFile(std::string(PLUMEX_TEST_SOURCE) + "/data/svg/bootstrap-0-circle-fill.svg");
    ASSERT_EQ(paths.size(), 2u);
    for (const TCvLine& l : paths) EXPECT_TRUE(l.closed);
    const TCvRect disc = paths[1].GetBounds();
    EXPECT_NEAR(disc.right - disc.left, 0.16, 1e-6);
    // The digit's outline sits inside the disc as its hole.
    EXPECT_GT(paths[1].count(), 8);
}

} // namespace
} // namespace plumex

namespace plumex {
namespace {

// Nonzero fills become outlines that fill the same area under our even-odd rule: each
// file's imported area (holes merged, so a path's area is what it fills) against the
// winding of the parsed subpaths counted independently along scanlines.
TEST(SvgRealFiles, NonzeroFillsBecomeOutlinesThatFillTheSameEvenOdd) {
    std::vector<std::string> drawings = {
        // Two squares drawn the same way round: nonzero fills their overlap once.
        svg("<path d=\"M10 10h50v50h-50z M30 30h50v50h-50z\"/>"),
        // A pentagram, whose middle nonzero fills and even-odd leaves empty.
        svg("<path d=\"M50 0 L79 90 L2 35 H98 L21 90z\"/>"),
        // A ring whose inner loop runs the other way: a hole under either rule.
        svg("<path d=\"M0 0 H300 V300 H0 Z M100 100 V200 H200 V100 Z\"/>"),
    };
    // Outlines ending a rounding error from their starts: the closing spike is no crossing.
    for (const char* name : {"simpleicons-fluentd.svg", "simpleicons-aspire.svg",
                             "simpleicons-phpbb.svg", "bootstrap-behance.svg"}) {
        std::ifstream in(std::string(PLUMEX_TEST_DATA) + "/svg/" + name, std::ios::binary);
        drawings.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_FALSE(drawings.back().empty()) << name;
    }
    for (const std::string& drawing : drawings) {
        SCOPED_TRACE(drawing.substr(0, 80));
        double expected = 0;
        for (const SvgElementOutlines& e : parseSvgOutlines(bytesOf(drawing)))
            expected += shapes::nonzeroArea(e.subpaths) / 1e4; // px^2 to units^2
        double imported = 0;
        for (const TCvLine& l : importText(drawing)) imported += std::abs(signedArea(l));
        EXPECT_NEAR(imported, expected, 2e-3 * expected); // the scanlines miss edges along them
    }
}

} // namespace
} // namespace plumex
