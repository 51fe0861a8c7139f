// Text layout: characters along the baseline, line breaks, holes, styles.

#include "text/TextOutline.h"
#include "Fonts.h"
#include "model/Containment.h"
#include "testing.h"
#include "text/FontList.h"

#include FT_ADVANCES_H

using namespace plumex;
using plumex::testing::DejaVuSans;

namespace {

std::vector<TCvLine> layout(const FontFace& face, std::string_view text, bool holes = true,
                            double size = 1, TCvCoord origin = {}) {
    return TextToPaths(face, text, {size, holes, origin});
}

// The glyph of `c` scaled by k and moved to `pen`, as the layout should place it.
std::vector<TCvLine> placed(const FontFace& face, char32_t c, double k, TCvCoord pen) {
    std::vector<TCvLine> paths =
        MakeCharacterHoles(GlyphToPaths(face, FT_Get_Char_Index(face.face(), c)).paths);
    for (TCvLine& p : paths) {
        p.SelectAll(true);
        p.Scale(k, k);
        p.Translate(pen);
    }
    return paths;
}

// Advance of `c` read from FreeType itself, in pixels of the 100-point font.
double advanceOf(const FontFace& face, char32_t c) {
    FT_Fixed a = 0;
    EXPECT_EQ(FT_Get_Advance(face.face(), FT_Get_Char_Index(face.face(), c), FT_LOAD_NO_SCALE, &a),
              0);
    return static_cast<double>(a) * face.unitScale();
}

double kerning(const FontFace& face, char32_t a, char32_t b) {
    if (a == 0) return 0;
    FT_Vector kern{};
    EXPECT_EQ(FT_Get_Kerning(face.face(), FT_Get_Char_Index(face.face(), a),
                             FT_Get_Char_Index(face.face(), b), FT_KERNING_UNSCALED, &kern),
              0);
    return static_cast<double>(kern.x) * face.unitScale();
}

void expectSamePaths(const std::vector<TCvLine>& got, const std::vector<TCvLine>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].count(), want[i].count());
        EXPECT_TRUE(got[i].selected);
        for (int j = 0; j < got[i].count(); ++j)
            ASSERT_TRUE(plumex::testing::coordNear(got[i].points[j].anchor,
                                                   want[i].points[j].anchor, 1e-12));
    }
}

std::vector<TCvLine> concat(std::vector<TCvLine> a, const std::vector<TCvLine>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(TextOutline, CharactersFollowEachOtherByTheFacesAdvances) {
    const FontFace face(DejaVuSans);
    const double k = 2.0 / 100;
    const TCvCoord o{3, 4};
    double x = o.x;
    std::vector<TCvLine> want;
    char32_t previous = 0;
    for (char32_t c : {U'A', U'B', U'C'}) {
        x += kerning(face, previous, c) * k;
        want = concat(want, placed(face, c, k, {x, o.y}));
        x += advanceOf(face, c) * k;
        previous = c;
    }
    expectSamePaths(layout(face, "ABC", true, 2, o), want);
}

TEST(TextOutline, KerningPairsMoveTheNextCharacter) {
    const FontFace face(DejaVuSans);
    ASSERT_TRUE(FT_HAS_KERNING(face.face()));
    ASSERT_LT(kerning(face, 'A', 'V'), 0);
    const double x = (advanceOf(face, 'A') + kerning(face, 'A', 'V')) / 100;
    expectSamePaths(layout(face, "AV"),
                    concat(placed(face, 'A', 0.01, {}), placed(face, 'V', 0.01, {x, 0})));
}

TEST(TextOutline, EachLineBreakFormStartsOneLine) {
    const FontFace face(DejaVuSans);
    const std::vector<TCvLine> a = placed(face, 'I', 0.05, {1, 0});
    const std::vector<TCvLine> b = placed(face, 'I', 0.05, {1, -6});
    const std::vector<TCvLine> c = placed(face, 'I', 0.05, {1, -12});
    for (const char* text : {"I\nI\nI", "I\r\nI\rI", "I\r\nI\r\nI"})
        expectSamePaths(layout(face, text, true, 5, {1, 0}), concat(concat(a, b), c));
    // An empty line in between still counts.
    expectSamePaths(layout(face, "I\n\nI", true, 5, {1, 0}), concat(a, c));
    expectSamePaths(layout(face, "I\r\rI", true, 5, {1, 0}), concat(a, c));
}

TEST(TextOutline, HolesAreMergedPerCharacter) {
    const FontFace face(DejaVuSans);
    struct Case {
        const char* text;
        std::size_t withHoles, without;
    };
    for (const Case& c : {Case{"O", 1, 2}, Case{"B", 1, 3}, Case{"8", 1, 3}, Case{"%", 3, 5},
                          Case{"OO", 2, 4}, Case{"i", 2, 2}}) {
        const std::vector<TCvLine> holes = layout(face, c.text, true);
        const std::vector<TCvLine> plain = layout(face, c.text, false);
        EXPECT_EQ(holes.size(), c.withHoles) << c.text;
        EXPECT_EQ(plain.size(), c.without) << c.text;
        // With holes no path lies inside another any more.
        for (const TCvLine& p : holes) {
            for (const TCvLine& q : holes) {
                if (&p != &q) {
                    EXPECT_FALSE(outlineInside(p, q)) << c.text;
                }
            }
        }
    }
}

TEST(TextOutline, CodePointsComeFromUtf8AndBadBytesAreReplaced) {
    const FontFace face(DejaVuSans);
    // U+00C5 (two bytes) is one character, not two Latin-1 ones.
    expectSamePaths(layout(face, "\xC3\x85"), placed(face, U'\u00C5', 0.01, {}));
    // A stray continuation byte is one replacement character.
    const double x = advanceOf(face, 0xFFFD) / 100;
    expectSamePaths(layout(face, "\x80I"),
                    concat(placed(face, 0xFFFD, 0.01, {}), placed(face, 'I', 0.01, {x, 0})));
}

TEST(TextOutline, SpacesAndMissingCharactersAdvanceWithoutPaths) {
    const FontFace face(DejaVuSans);
    const double x = (advanceOf(face, ' ') + advanceOf(face, 0xE000)) / 100;
    ASSERT_EQ(FT_Get_Char_Index(face.face(), 0xE000), 0u); // a private-use code DejaVu lacks
    // The missing character draws nothing; the pen still moves by the face's default width.
    expectSamePaths(layout(face, " \xEE\x80\x80I"), placed(face, 'I', 0.01, {x, 0}));
}

TEST(TextOutline, SynthesisedBoldWidensAndObliqueSlants) {
    FontFace plain(DejaVuSans);
    const TCvRect r = layout(plain, "l")[0].GetBounds();
    FontFace bold(DejaVuSans);
    bold.embolden = true;
    const TCvRect b = layout(bold, "l")[0].GetBounds();
    // FreeType's emboldening widens by 1/24 em: 2048 / 24 units, half of it on each side.
    EXPECT_NEAR((b.right - b.left) - (r.right - r.left), 2 * 42 * (400.0 / 3) / 2048 / 100, 1e-9);
    FontFace slanted(DejaVuSans);
    slanted.oblique = true;
    const TCvRect s = layout(slanted, "l")[0].GetBounds();
    EXPECT_NEAR(s.right - r.right, r.top * ObliqueShear, 1e-9);
    EXPECT_NEAR(s.left, r.left, 1e-9); // the bottom stays on the baseline
}
