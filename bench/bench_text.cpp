// The 95 printable ASCII characters of DejaVu Sans to paths with holes: the whole conversion
// per glyph, and its shares: FreeType's glyph loading, our cubic conversion, and hole making.

#include "text/GlyphOutline.h"
#include "text/TextOutline.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace plumex;

const std::string Font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<unsigned> asciiGlyphs(const FontFace& face) {
    std::vector<unsigned> glyphs;
    for (char32_t c = 32; c < 127; ++c) glyphs.push_back(FT_Get_Char_Index(face.face(), c));
    return glyphs;
}

void BM_GlyphToPathsWithHoles(benchmark::State& state) {
    const FontFace face(Font);
    const std::vector<unsigned> glyphs = asciiGlyphs(face);
    for (auto _ : state)
        for (unsigned g : glyphs)
            benchmark::DoNotOptimize(MakeCharacterHoles(GlyphToPaths(face, g).paths));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(glyphs.size()));
}
BENCHMARK(BM_GlyphToPathsWithHoles);

void BM_FreeTypeLoadOnly(benchmark::State& state) {
    const FontFace face(Font);
    const std::vector<unsigned> glyphs = asciiGlyphs(face);
    for (auto _ : state)
        for (unsigned g : glyphs)
            benchmark::DoNotOptimize(
                FT_Load_Glyph(face.face(), g, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(glyphs.size()));
}
BENCHMARK(BM_FreeTypeLoadOnly);

// Outlines copied out of FreeType once, so only our side is timed.
struct StoredOutline {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    FT_Outline view() {
        FT_Outline o{};
        o.n_points = static_cast<decltype(o.n_points)>(points.size());
        o.n_contours = static_cast<decltype(o.n_contours)>(contours.size());
        o.points = points.data();
        o.tags = tags.data();
        o.contours = reinterpret_cast<decltype(o.contours)>(contours.data());
        return o;
    }
};

std::vector<StoredOutline> storedOutlines(const FontFace& face) {
    std::vector<StoredOutline> outlines;
    for (unsigned g : asciiGlyphs(face)) {
        FT_Load_Glyph(face.face(), g, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP);
        const FT_Outline& o = face.face()->glyph->outline;
        StoredOutline s;
        s.points.assign(o.points, o.points + o.n_points);
        s.tags.assign(o.tags, o.tags + o.n_points);
        for (int i = 0; i < o.n_contours; ++i)
            s.contours.push_back(static_cast<short>(o.contours[i]));
        outlines.push_back(std::move(s));
    }
    return outlines;
}

void BM_ConversionAndHolesOnly(benchmark::State& state) {
    const FontFace face(Font);
    std::vector<StoredOutline> outlines = storedOutlines(face);
    for (auto _ : state)
        for (StoredOutline& s : outlines)
            benchmark::DoNotOptimize(
                MakeCharacterHoles(OutlineToPaths(s.view(), face.unitScale())));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(outlines.size()));
}
BENCHMARK(BM_ConversionAndHolesOnly);

// The cubic conversion alone; hole making is the rest of the row above.
void BM_ConversionOnly(benchmark::State& state) {
    const FontFace face(Font);
    std::vector<StoredOutline> outlines = storedOutlines(face);
    for (auto _ : state)
        for (StoredOutline& s : outlines)
            benchmark::DoNotOptimize(OutlineToPaths(s.view(), face.unitScale()));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(outlines.size()));
}
BENCHMARK(BM_ConversionOnly);

} // namespace
