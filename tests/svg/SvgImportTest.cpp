#include "svg/SvgImport.h"

#include "model/ReadError.h"
#include "testing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace plumex {
namespace {

using testing::coordNear;

std::vector<TCvLine> importText(const std::string& text, SvgImportOptions options = {}) {
    return ImportSvg({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, options);
}

std::string svg(const std::string& body, const std::string& rootAttributes = "") {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" " + rootAttributes + ">" + body + "</svg>";
}

// Even-odd keeps every subpath as drawn; what nonzero unites has tests of its own.
std::vector<TCvLine> importPath(const std::string& d) {
    return importText(svg("<path fill-rule=\"evenodd\" d=\"" + d + "\"/>"));
}

// Pixels (y down) to units, as the import maps them.
TCvCoord px(double x, double y) {
    return {x / 100, -y / 100};
}

TEST(SvgImport, EveryPathCommandAbsoluteAndRelativeGivesTheSameShape) {
    const auto abs = importPath("M 10 20 L 30 20 H 50 V 40 C 60 40 70 50 70 60 S 80 80 90 80 "
                                "Q 100 80 100 90 T 110 110 A 10 10 0 0 1 130 110 Z");
    const auto rel = importPath("m 10 20 l 20 0 h 20 v 20 c 10 0 20 10 20 20 s 10 20 20 20 "
                                "q 10 0 10 10 t 10 20 a 10 10 0 0 1 20 0 z");
    ASSERT_EQ(abs.size(), 1u);
    ASSERT_EQ(rel.size(), 1u);
    ASSERT_EQ(abs[0].count(), rel[0].count());
    EXPECT_TRUE(abs[0].closed);
    for (int i = 0; i < abs[0].count(); ++i) {
        EXPECT_TRUE(coordNear(abs[0].points[i].anchor, rel[0].points[i].anchor, 1e-12)) << i;
        EXPECT_TRUE(coordNear(abs[0].points[i].outHandle, rel[0].points[i].outHandle, 1e-12));
        EXPECT_TRUE(coordNear(abs[0].points[i].inHandle, rel[0].points[i].inHandle, 1e-12));
    }
    const TCvLine& p = abs[0];
    EXPECT_EQ(p.points[0].anchor, px(10, 20));
    EXPECT_EQ(p.points[2].anchor, px(50, 20)); // H
    EXPECT_EQ(p.points[3].anchor, px(50, 40)); // V
    EXPECT_EQ(p.points[3].outHandle, px(60, 40));
    EXPECT_EQ(p.points[4].inHandle, px(70, 50));
    // S reflects the previous control point (70, 50) about (70, 60).
    EXPECT_TRUE(coordNear(p.points[4].outHandle, px(70, 70), 1e-12));
    // Q becomes the cubic with handles two thirds of the way to its control point.
    EXPECT_TRUE(coordNear(p.points[5].outHandle, px(90 + 20.0 / 3, 80), 1e-12));
    EXPECT_TRUE(coordNear(p.points[6].inHandle, px(100, 90 - 20.0 / 3), 1e-12));
    // T reflects the quadratic control point (100, 80) to (100, 100).
    EXPECT_TRUE(coordNear(p.points[6].outHandle, px(100, 90 + 20.0 / 3), 1e-12));
    // The half circle arc ends exactly at its end point; with the sweep flag it runs clockwise
    // on screen, over the top of its centre (120, 110).
    EXPECT_EQ(p.points.back().anchor, px(130, 110));
    ASSERT_EQ(p.count(), 10); // the arc is two quarter turns
    for (int i = 8; i < p.count(); ++i) {
        const TCvCoord a = p.points[i].anchor;
        EXPECT_NEAR(std::hypot(a.x - 1.2, a.y + 1.1), 0.1, 1e-12);
        EXPECT_GE(a.y, -1.1 - 1e-12);
    }
}

TEST(SvgImport, SubpathsBecomePathsAndZClosesThem) {
    const auto paths = importPath("M0 0 L100 0 L100 100 Z M200 0 L300 0 M0 0 L0 100 L0 0 z");
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_TRUE(paths[0].closed);
    EXPECT_EQ(paths[0].count(), 3);
    EXPECT_FALSE(paths[1].closed);
    EXPECT_EQ(paths[1].count(), 2);
    // A subpath that returns to its start before z does not keep a doubled anchor.
    EXPECT_TRUE(paths[2].closed);
    EXPECT_EQ(paths[2].count(), 2);
    for (const TCvLine& l : paths) EXPECT_TRUE(l.selected);
}

TEST(SvgImport, DrawingAfterZStartsAtTheClosedSubpathsStart) {
    const auto paths = importPath("M10 10 L20 10 L20 20 Z L40 40");
    ASSERT_EQ(paths.size(), 2u);
    ASSERT_EQ(paths[1].count(), 2);
    EXPECT_EQ(paths[1].points[0].anchor, px(10, 10));
    EXPECT_EQ(paths[1].points[1].anchor, px(40, 40));
}

TEST(SvgImport, NestedClosedSubpathsOfOneElementBecomeHoles) {
    // The counter runs the other way round, as drawing programs write it for nonzero filling.
    const std::string ring = "M0 0 H300 V300 H0 Z M100 100 V200 H200 V100 Z";
    const std::string body = "<path d=\"" + ring + "\"/><path d=\"M120 120 H180 V180 H120 Z\"/>";
    const auto merged = importText(svg(body));
    // The ring's inner square merges into it; the second element stays apart even though it
    // lies inside the hole.
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_TRUE(merged[0].closed);
    EXPECT_EQ(merged[0].count(), 4 + 1 + 4 + 1);
    EXPECT_EQ(merged[1].count(), 4);
    const auto apart = importText(svg(body), {.makeHoles = false});
    EXPECT_EQ(apart.size(), 3u);
}

TEST(SvgImport, NestedTransformsApplyInnermostFirstWhateverTheAttributeOrder) {
    const auto paths = importText(svg("<g transform=\"translate(100 0)\"><g transform=\"scale(2)\">"
                                      "<path d=\"M10 0 L10 10\" transform=\"rotate(90)\"/></g></g>"
                                      "<path transform=\"translate(5,5)\" d=\"M0 0 L1 0\"/>"));
    ASSERT_EQ(paths.size(), 2u);
    // rotate(90) takes (10, 0) to (0, 10); scale doubles it; translate moves it.
    EXPECT_TRUE(coordNear(paths[0].points[0].anchor, px(100, 20), 1e-12));
    EXPECT_TRUE(coordNear(paths[0].points[1].anchor, px(80, 20), 1e-12));
    EXPECT_EQ(paths[1].points[0].anchor, px(5, 5));
}

TEST(SvgImport, ASkewedCircleStaysOnItsEquation) {
    const auto paths = importText(svg("<circle cx=\"100\" cy=\"100\" r=\"50\" "
                                      "transform=\"skewX(15) translate(10 0)\"/>"));
    ASSERT_EQ(paths.size(), 1u);
    const double t = std::tan(15 * std::acos(-1.0) / 180);
    double worst = 0;
    for (int i = 0; i < paths[0].segmentCount(); ++i)
        for (double u = 0; u <= 1; u += 1.0 / 64) {
            const TCvCoord p = evaluate(paths[0].segment(i), u);
            // Back to SVG pixels, undo the skew and the move, measure from the centre.
            const double y = -100 * p.y, x = 100 * p.x - t * y - 10;
            worst = std::max(worst, std::fabs(std::hypot(x - 100, y - 100) - 50));
        }
    EXPECT_LT(worst, 2.8e-4 * 50);
    EXPECT_GT(worst, 1e-5); // a cubic, not the circle itself: the check measures something
}

TEST(SvgImport, LengthUnitsAndTheRootViewBoxScale) {
    // 1 in is 96 px; the root's width of 200 px over a viewBox 100 wide doubles everything,
    // and the viewBox origin does not move the drawing.
    const auto paths = importText(svg("<line x1=\"1in\" y1=\"0\" x2=\"10mm\" y2=\"0\" stroke=\"#000\"/>",
                                      "width=\"200\" height=\"100\" viewBox=\"-50 -50 100 50\""));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_TRUE(coordNear(paths[0].points[0].anchor, px(192, 0), 1e-12));
    EXPECT_TRUE(coordNear(paths[0].points[1].anchor, px(2 * 960 / 25.4, 0), 1e-12));
    // Without width and height the viewBox is the viewport: one user unit is one pixel.
    const auto plain =
        importText(svg("<rect width=\"50%\" height=\"10\"/>", "viewBox=\"0 0 24 24\""));
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_NEAR(plain[0].GetBounds().right, 0.12, 1e-12);
}

TEST(SvgImport, BasicShapes) {
    const auto paths =
        importText(svg("<rect x=\"0\" y=\"0\" width=\"100\" height=\"50\"/>"
                       "<rect x=\"0\" y=\"0\" width=\"100\" height=\"50\" rx=\"10\"/>"
                       "<circle cx=\"100\" cy=\"100\" r=\"50\"/>"
                       "<ellipse cx=\"0\" cy=\"0\" rx=\"30\" ry=\"20\"/>"
                       "<line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"10\" stroke=\"#000\"/>"
                       "<polyline points=\"0,0 10,0 10,10\"/>"
                       "<polygon points=\"0 0 10 0 10 10\"/>"));
    ASSERT_EQ(paths.size(), 7u);
    EXPECT_TRUE(paths[0].closed);
    EXPECT_EQ(paths[0].count(), 4);
    EXPECT_TRUE(paths[1].closed);
    EXPECT_GE(paths[1].count(), 8); // four corners, each an arc between two anchors
    const TCvRect rounded = paths[1].GetBounds();
    EXPECT_NEAR(rounded.left, 0, 1e-12);
    EXPECT_NEAR(rounded.right, 1, 1e-12);
    EXPECT_NEAR(rounded.bottom, -0.5, 1e-12);
    const TCvRect circle = paths[2].GetBounds();
    EXPECT_TRUE(paths[2].closed);
    EXPECT_EQ(paths[2].count(), 4);
    EXPECT_NEAR(circle.left, 0.5, 1e-6);
    EXPECT_NEAR(circle.right, 1.5, 1e-6);
    EXPECT_NEAR(circle.top, -0.5, 1e-6);
    EXPECT_NEAR(circle.bottom, -1.5, 1e-6);
    const TCvRect ellipse = paths[3].GetBounds();
    EXPECT_NEAR(ellipse.right - ellipse.left, 0.6, 1e-6);
    EXPECT_NEAR(ellipse.top - ellipse.bottom, 0.4, 1e-6);
    EXPECT_FALSE(paths[4].closed); // a line has no inside
    EXPECT_EQ(paths[4].count(), 2);
    EXPECT_TRUE(paths[5].closed); // a filled polyline is filled as if closed
    EXPECT_EQ(paths[5].count(), 3);
    EXPECT_TRUE(paths[6].closed);
    EXPECT_EQ(paths[6].count(), 3);
}

TEST(SvgImport, OnlyRenderedContentIsImportedAndForeignMarkupIsSkipped) {
    const auto paths = importText(svg(
        "<defs><path d=\"M0 0 L1 1\"/></defs>"
        "<symbol id=\"s\"><rect width=\"5\" height=\"5\"/></symbol>"
        "<clipPath id=\"c\"><rect width=\"5\" height=\"5\"/></clipPath>"
        "<metadata><foo/></metadata><title>t</title>"
        "<inkscape:thing xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"/>"
        "<blink/><path d=\"M0 0 L2 2\" data-x=\"1\" paint-order=\"stroke\" "
        "style=\"mix-blend-mode:multiply;fill:red\"/>",
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" inkscape:version=\"1\""));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].points[1].anchor, px(2, 2));
}

TEST(SvgImport, UseDrawsWhatItRefersToMovedByItsPlaceAndTransform) {
    const auto paths = importText(
        svg("<defs><path id=\"p\" d=\"M0 0 L10 0\"/>"
            "<g id=\"g2\"><use href=\"#p\" x=\"5\"/><rect width=\"1\" height=\"1\"/></g>"
            "<symbol id=\"s\" viewBox=\"0 0 10 10\"><path d=\"M0 0 L10 10\"/></symbol></defs>"
            "<use xlink:href=\"#p\" x=\"100\" y=\"50\"/>"
            "<use href=\"#p\" x=\"10\" transform=\"scale(2)\"/>"
            "<use href=\"#g2\" y=\"7\"/>"
            "<use href=\"#s\" x=\"1\" width=\"100\" height=\"100\"/>"
            "<use href=\"#p\" xlink:href=\"#s\" y=\"1in\"/>"
            "<use href=\"#missing\"/><use href=\"other.svg#p\"/><use/>",
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\""));
    ASSERT_EQ(paths.size(), 6u);
    EXPECT_EQ(paths[0].points[0].anchor, px(100, 50));
    EXPECT_EQ(paths[0].points[1].anchor, px(110, 50));
    // The transform applies to the moved copy: (0 + 10) * 2.
    EXPECT_EQ(paths[1].points[0].anchor, px(20, 0));
    EXPECT_EQ(paths[1].points[1].anchor, px(40, 0));
    // A use inside the referenced group adds its own move.
    EXPECT_EQ(paths[2].points[0].anchor, px(5, 7));
    EXPECT_EQ(paths[3].GetBounds().top, px(0, 7).y);
    // The symbol's 10-unit viewBox fills the 100 pixels the use gives it.
    EXPECT_TRUE(coordNear(paths[4].points[0].anchor, px(1, 0), 1e-12));
    EXPECT_TRUE(coordNear(paths[4].points[1].anchor, px(101, 100), 1e-12));
    // The plain href wins over xlink:href; lengths keep their units.
    EXPECT_TRUE(coordNear(paths[5].points[1].anchor, px(10, 96), 1e-12));
}

TEST(SvgImport, DisplayNoneHidesTheElementAndAllItHolds) {
    const auto paths =
        importText(svg("<path d=\"M0 0 L1 1\" display=\"none\"/>"
                       "<g style=\"fill:red; display : none\"><path d=\"M0 0 L2 2\"/>"
                       "<g display=\"inline\"><path d=\"M0 0 L3 3\"/></g></g>"
                       "<path display=\"none\" d=\"M0 0 L4 4\"/>"
                       "<path d=\"M0 0 L5 5\" style=\"display:none\"/>"
                       "<use href=\"#h\"/><path id=\"h\" display=\"none\" d=\"M0 0 L6 6\"/>"
                       "<path d=\"M0 0 L7 7\" display=\"inline\"/>"
                       "<g display=\"none\"><use href=\"#q\"/><path id=\"q\" d=\"M0 0 L9 9\"/></g>"
                       "<use href=\"#q\"/>"));
    // Only the visible path and the use of a path whose group, not itself, is hidden.
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].points[1].anchor, px(7, 7));
    EXPECT_EQ(paths[1].points[1].anchor, px(9, 9));
}

void expectRefused(const std::string& text, const std::string& part) {
    try {
        importText(text);
        ADD_FAILURE() << "accepted: " << text.substr(0, 80);
    } catch (const ReadError& e) {
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

TEST(SvgImport, WhatIsNotSvgIsRefusedWithItsReason) {
    expectRefused("", "Not a well-formed SVG file");
    expectRefused("hello", "Not a well-formed SVG file");
    expectRefused("\x89PNG\r\n\x1a\n\0\0\0", "Not a well-formed SVG file");
    expectRefused("<html><body/></html>", "Not an SVG file");
    expectRefused("<svg xmlns=\"http://example.com/other\"/>", "Not an SVG file");
    expectRefused("<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0\">", "line 1");
    expectRefused(svg("<path d=\"M 0 0 L 10 x\"/>"), "Invalid SVG");
    expectRefused(svg("<circle cx=\"1\" r=\"-3\"/>"), "Invalid SVG");
}

TEST(SvgImport, AbsurdNumbersAreRefused) {
    expectRefused(svg("<path d=\"M 1e300 0 L 0 0\"/>"), "out of range");
    expectRefused(svg("<path d=\"M 1e999 0 L 0 0\"/>"), "");
    expectRefused(svg("<g transform=\"scale(1e200)\"><path d=\"M 1e200 0 L 1 1\"/></g>"),
                  "out of range");
    expectRefused(svg("<g transform=\"scale(1e300)\"><g transform=\"scale(1e300)\">"
                      "<path d=\"M 1 0 L 1 1\"/></g></g>"),
                  "out of range");
    expectRefused(svg("<path d=\"M 0 0 A 1e13 1 0 0 1 5 5\"/>"), "out of range");
    // Radii too small to matter make the arc its chord, as SVG asks for zero radii.
    const auto tiny = importPath("M 0 0 A 1e-300 1e-300 0 0 1 10 0 A 0 5 0 0 1 20 0");
    ASSERT_EQ(tiny.size(), 1u);
    EXPECT_EQ(tiny[0].points.back().anchor, px(20, 0));
}

TEST(SvgImport, DeepNestingIsRefusedQuickly) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<g>";
    expectRefused(svg(deep), "depth");
}

TEST(SvgImport, EntityExpansionAndExternalEntitiesAreRefused) {
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'k'; ++c)
        laughs += std::string("<!ENTITY ") + c + " \"" + std::string(10, '&') + "\">";
    // Each entity refers to the previous one ten times.
    for (char c = 'b'; c <= 'k'; ++c) {
        std::string body;
        for (int i = 0; i < 10; ++i) body += std::string("&") + char(c - 1) + ";";
        const auto at = laughs.find(std::string("<!ENTITY ") + c);
        const auto quote = laughs.find('"', at);
        laughs.replace(quote + 1, 10, body);
    }
    laughs += "]><svg xmlns=\"http://www.w3.org/2000/svg\"><title>&k;</title></svg>";
    expectRefused(laughs, "Not a well-formed SVG file");

    const std::string secret = ::testing::TempDir() + "svg_secret.txt";
    {
        std::FILE* f = std::fopen(secret.c_str(), "w");
        ASSERT_TRUE(f);
        std::fputs("M 0 0 L 9 9", f);
        std::fclose(f);
    }
    expectRefused("<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY x SYSTEM \"" + secret +
                      "\">]><svg xmlns=\"http://www.w3.org/2000/svg\"><g>&x;</g></svg>",
                  "external");
    // An ordinary internal entity, as some drawing programs write for namespaces, is fine.
    const auto ok = importText("<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY d \"M0 0 L5 5\">]>"
                               "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"&d;\"/></svg>");
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_EQ(ok[0].points[1].anchor, px(5, 5));
}

// Each level uses the one below it ten times: 10^levels copies of one path, each with
// `padding` empty elements beside it.
std::string fanOut(int levels, int padding = 0) {
    std::string body = "<defs><g id=\"l0\"><path d=\"M0 0 L1 0\"/>";
    for (int i = 0; i < padding; ++i) body += "<desc/>";
    body += "</g>";
    for (int k = 1; k <= levels; ++k) {
        body += "<g id=\"l" + std::to_string(k) + "\">";
        for (int i = 0; i < 10; ++i)
            body +=
                "<use href=\"#l" + std::to_string(k - 1) + "\" y=\"" + std::to_string(i) + "\"/>";
        body += "</g>";
    }
    return svg(body + "</defs><use href=\"#l" + std::to_string(levels) + "\"/>");
}

TEST(SvgImport, UseLoopsAndRunawayFanOutAreRefused) {
    expectRefused(svg("<use id=\"u\" href=\"#u\"/>"), "refer to themselves in a loop (#u)");
    expectRefused(svg("<g id=\"a\"><use href=\"#b\"/></g><g id=\"b\"><use href=\"#a\"/></g>"),
                  "in a loop");
    expectRefused(svg("<g id=\"c\"><path d=\"M0 0 L1 1\"/><use href=\"#c\"/></g>"), "in a loop");
    // A billion copies would never finish; the budget stops them at once. (Copies of small
    // elements reach it later, after a moment's work: too slow for a sanitizer build.)
    expectRefused(fanOut(9, 5000), "repeat more than 100000 elements");
    // A thousand copies are an ordinary drawing, each in its place.
    const auto thousand = importText(fanOut(3));
    ASSERT_EQ(thousand.size(), 1000u);
    EXPECT_EQ(thousand.back().points[0].anchor, px(0, 9 + 9 + 9));
}

TEST(SvgImport, MissingFileIsAReadError) {
    EXPECT_THROW(ImportSvgFile("/nonexistent/drawing.svg"), ReadError);
}

} // namespace
} // namespace plumex
