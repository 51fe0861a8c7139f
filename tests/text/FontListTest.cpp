// Finding installed faces through fontconfig, and adding a font file for the process.

#include "text/FontList.h"
#include "Fonts.h"
#include "text/InstalledFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plumex;

TEST(FontList, ListsInstalledOutlineFamiliesSortedOnce) {
    const std::vector<std::string> f = ListFontFamilies();
    EXPECT_TRUE(std::is_sorted(f.begin(), f.end()));
    EXPECT_EQ(std::adjacent_find(f.begin(), f.end()), f.end());
    EXPECT_EQ(std::count(f.begin(), f.end(), "DejaVu Sans"), 1);
    EXPECT_EQ(std::count(f.begin(), f.end(), "Cantarell"), 1);
}

TEST(FontList, FindsTheFacesOwnBoldAndItalic) {
    const FontMatch bold = FindFont("DejaVu Sans", true, false);
    EXPECT_EQ(bold.file, plumex::testing::DejaVuSansBold);
    EXPECT_FALSE(bold.substituted);
    EXPECT_FALSE(bold.embolden);
    EXPECT_FALSE(bold.oblique);
    const FontMatch both = FindFont("dejavu sans", true, true); // family names ignore case
    EXPECT_EQ(std::filesystem::path(both.file).filename(), "DejaVuSans-BoldOblique.ttf");
    EXPECT_FALSE(both.substituted);
    EXPECT_FALSE(both.oblique);
    EXPECT_EQ(FindFont("DejaVu Sans", false, false).file, plumex::testing::DejaVuSans);
}

TEST(FontList, SynthesisesStylesTheFamilyLacks) {
    // Cantarell comes without an italic face.
    const FontMatch m = FindFont("Cantarell", false, true);
    EXPECT_EQ(m.family, "Cantarell");
    EXPECT_TRUE(m.oblique);
    EXPECT_FALSE(m.embolden);
    const FontMatch math = FindFont("DejaVu Math TeX Gyre", true, false);
    EXPECT_FALSE(math.substituted);
    EXPECT_TRUE(math.embolden);
}

TEST(FontList, SaysWhenAnotherFamilyStandsIn) {
    const FontMatch m = FindFont("No Such Family Here", false, false);
    EXPECT_TRUE(m.substituted);
    EXPECT_FALSE(m.file.empty());
    EXPECT_NE(m.family, "No Such Family Here");
    EXPECT_FALSE(DefaultFontFamily().empty());
}

TEST(InstalledFonts, AddsAFontFileOnceAndRefusesOthers) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("plumex-fonts-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string copy = (dir / "Copy.TTF").string();
    std::filesystem::copy_file(plumex::testing::DejaVuSans, copy,
                               std::filesystem::copy_options::overwrite_existing);
    const std::string text = (dir / "notes.ttf").string();
    std::ofstream(text) << "not a font";
    const std::string wrongExt = (dir / "font.txt").string();
    std::filesystem::copy_file(plumex::testing::DejaVuSans, wrongExt,
                               std::filesystem::copy_options::overwrite_existing);

    TInstalledFonts fonts;
    EXPECT_TRUE(fonts.Add(copy));
    EXPECT_FALSE(fonts.Add(copy));
    EXPECT_FALSE(fonts.Add(text));
    EXPECT_FALSE(fonts.Add(wrongExt));
    EXPECT_FALSE(fonts.Add((dir / "missing.ttf").string()));
    EXPECT_EQ(fonts.Files(), std::vector<std::string>{copy});
    std::filesystem::remove_all(dir);
}
